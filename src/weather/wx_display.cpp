// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "weather/wx_display.h"

#include <QCoreApplication>
#include <QLocale>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <compare>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>

namespace anemora {

namespace {

constexpr char16_t Degree = 0x00B0;
constexpr char16_t CubedSuperscript = 0x00B3;

// A text built in a buffer on the stack and made a QString once, at the
// end: appending piece by piece to a QString costs more than the digits.
class TextBuilder {
public:
    // Where `count` more characters go in the buffer; null once it is full.
    char16_t *room(qsizetype count) {
        return !spilled && size + count <= qsizetype(buffer.size()) ? buffer.data() + size
                                                                    : nullptr;
    }
    void commit(const char16_t *end) { size = end - buffer.data(); }

    void add(QStringView piece) {
        if (char16_t *out = room(piece.size()))
            commit(std::copy(piece.utf16(), piece.utf16() + piece.size(), out));
        else
            addSpilled(piece);
    }
    // Literals are copied with their length known, without a call.
    template <std::size_t Size> void add(const char16_t (&literal)[Size]) {
        constexpr auto length = qsizetype(Size - 1);
        if (char16_t *out = room(length)) {
            for (qsizetype i = 0; i < length; ++i)
                out[i] = literal[i];
            size += length;
        } else {
            addSpilled(QStringView(literal, length));
        }
    }
    void add(char16_t c) {
        if (char16_t *out = room(1)) {
            *out = c;
            ++size;
        } else {
            addSpilled(QStringView(&c, 1));
        }
    }
    QString take() { return spilled ? std::move(spill) : QString(chars(), size); }

private:
    const QChar *chars() const { return reinterpret_cast<const QChar *>(buffer.data()); }
    void addSpilled(QStringView piece) {
        if (!spilled) {
            spill.reserve(size + piece.size());
            spill.append(chars(), size);
            spilled = true;
        }
        spill.append(piece);
    }

    std::array<char16_t, 128> buffer;
    qsizetype size = 0;
    bool spilled = false;
    QString spill;
};

// A float as written in shortest decimal form, rounded to a number of
// decimals, halves away from zero, on the digits so no binary error can tip
// a half.
struct RoundedDecimal {
    bool negative = false;
    // Whole digits, then `decimals` fraction digits, no point; short ones
    // stay in the string's own buffer.
    std::string digits;
    int decimals = 0;

    int wholeDigits() const { return int(digits.size()) - decimals; }
};

RoundedDecimal RoundDecimal(float value, int decimals) {
    std::array<char, 128> buffer{};
    const char *text = buffer.data();
    const char *end =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed)
            .ptr;
    RoundedDecimal rounded;
    rounded.decimals = std::max(decimals, 0);
    rounded.negative = text != end && *text == '-';
    if (rounded.negative)
        ++text;
    const char *point = std::find(text, end, '.');
    const std::string_view fraction(point == end ? end : point + 1,
                                    point == end ? 0 : std::size_t(end - point - 1));
    const auto keep = std::size_t(rounded.decimals);

    std::string &digits = rounded.digits;
    digits.assign(text, point);
    digits.append(fraction.substr(0, keep));
    digits.append(keep - std::min(keep, fraction.size()), '0');
    if (fraction.size() > keep && fraction[keep] >= '5') {
        auto it = digits.rbegin();
        for (; it != digits.rend() && *it == '9'; ++it)
            *it = '0';
        if (it == digits.rend())
            digits.insert(digits.begin(), '1');
        else
            ++*it;
    }
    // A value that rounds to zero is shown without a minus sign.
    if (digits.find_first_not_of('0') == std::string::npos)
        rounded.negative = false;
    return rounded;
}

// The rounded number as Qt writes it in `locale`.
QString QtFixed(const QLocale &locale, const RoundedDecimal &rounded) {
    QString plain;
    plain.reserve(qsizetype(rounded.digits.size()) + 2);
    if (rounded.negative)
        plain += u'-';
    plain += QLatin1StringView(rounded.digits.data(), rounded.wholeDigits());
    if (rounded.decimals > 0) {
        plain += u'.';
        plain += QLatin1StringView(rounded.digits.data() + rounded.wholeDigits(), rounded.decimals);
    }
    return locale.toString(QLocale::c().toDouble(plain), 'f', rounded.decimals);
}

QString QtFixed(const QLocale &locale, float value, int decimals) {
    if (!std::isfinite(value))
        return locale.toString(double(value), 'f', decimals);
    return QtFixed(locale, RoundDecimal(value, decimals));
}

// Short enough for the one buffer a number is written into.
constexpr qsizetype MaxSymbolSize = 4;

struct NumberSymbol {
    std::array<char16_t, MaxSymbolSize> chars{};
    qsizetype size = 0;

    bool assign(QStringView text) {
        if (text.size() > MaxSymbolSize)
            return false;
        std::copy(text.utf16(), text.utf16() + text.size(), chars.data());
        size = text.size();
        return true;
    }
    char16_t *writeTo(char16_t *out) const {
        for (qsizetype i = 0; i < size; ++i)
            *out++ = chars[std::size_t(i)];
        return out;
    }
};

// How a locale writes a short fixed number, learnt from Qt's own output
// once per locale: asking Qt for every number costs more than all the rest
// of a report's texts.
struct FixedFormat {
    QLocale locale;
    // False when the locale writes numbers in a way not reproduced here
    // (other digits, other grouping): then Qt writes every number.
    bool usable = false;
    NumberSymbol minus;
    NumberSymbol point;
    // After the first digit of a four-digit whole part; empty when the
    // locale does not group four digits.
    NumberSymbol group;
};

// Whole parts up to here are written here; longer ones by Qt.
constexpr int MaxWholeDigits = 4;
constexpr int MaxDecimals = 9;

// A rounded number short enough to be written here: its magnitude times
// 10^decimals.
struct ShortFixed {
    bool negative = false;
    quint64 scaled = 0;
    int decimals = 0;
};

constexpr std::array<quint64, MaxDecimals + 1> PowersOfTen{
    1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000};
constexpr quint64 WholeLimit = 10000;
static_assert(WholeLimit == PowersOfTen[MaxWholeDigits]);

std::optional<ShortFixed> ShortFrom(const RoundedDecimal &rounded) {
    if (rounded.wholeDigits() > MaxWholeDigits || rounded.decimals > MaxDecimals)
        return std::nullopt;
    ShortFixed number{rounded.negative, 0, rounded.decimals};
    for (const char digit : rounded.digits)
        number.scaled = number.scaled * 10 + quint64(digit - '0');
    return number;
}

// Rounds the float's exact binary value instead of its shortest decimal
// form, which is far cheaper to get and gives the same digits unless a half
// lies within one unit in the last place of the float (the shortest form is
// within half a unit of it): then, and for long numbers, nothing.
std::optional<ShortFixed> RoundShort(float value, int decimals) {
    if (decimals < 0 || decimals > MaxDecimals)
        return std::nullopt;
    const auto scale = double(PowersOfTen[std::size_t(decimals)]);
    // Exact: 24 bits of float times at most 21 bits of 5^9.
    const double scaled = std::fabs(double(value)) * scale;
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    const double unitInLastPlace = std::fabs(double(value)) * 0x1p-23 * scale;
    if (!(std::fabs(fraction - 0.5) > unitInLastPlace) || whole >= double(WholeLimit) * scale)
        return std::nullopt;
    const auto magnitude = quint64(whole) + (fraction > 0.5 ? 1 : 0);
    // A carry into a fifth whole digit.
    if (magnitude >= WholeLimit * PowersOfTen[std::size_t(decimals)])
        return std::nullopt;
    return ShortFixed{value < 0 && magnitude != 0, magnitude, decimals};
}

constexpr qsizetype MaxWrittenSize = 3 * MaxSymbolSize + MaxWholeDigits + MaxDecimals;

void AppendWritten(TextBuilder &text, const FixedFormat &format, const ShortFixed &number) {
    // Digits from the last one back, then laid out with the symbols.
    std::array<char16_t, MaxWholeDigits + MaxDecimals> digits;
    char16_t *const digitsEnd = digits.data() + digits.size();
    char16_t *first = digitsEnd;
    quint64 rest = number.scaled;
    do {
        *--first = char16_t(u'0' + rest % 10);
        rest /= 10;
    } while (rest != 0 || digitsEnd - first <= number.decimals);
    const auto wholeDigits = qsizetype(digitsEnd - first) - number.decimals;

    std::array<char16_t, MaxWrittenSize> spare;
    char16_t *const start = text.room(MaxWrittenSize);
    char16_t *out = start ? start : spare.data();
    if (number.negative)
        out = format.minus.writeTo(out);
    if (wholeDigits == 4) {
        *out++ = *first++;
        out = format.group.writeTo(out);
    }
    while (first != digitsEnd - number.decimals)
        *out++ = *first++;
    if (number.decimals > 0) {
        out = format.point.writeTo(out);
        while (first != digitsEnd)
            *out++ = *first++;
    }
    if (start)
        text.commit(out);
    else
        text.add(QStringView(spare.data(), out));
}

bool SameAsQt(const FixedFormat &format, float value, int decimals) {
    const RoundedDecimal rounded = RoundDecimal(value, decimals);
    const std::optional<ShortFixed> number = ShortFrom(rounded);
    if (!number)
        return false;
    TextBuilder written;
    AppendWritten(written, format, *number);
    return written.take() == QtFixed(format.locale, rounded);
}

FixedFormat ReadFixedFormat(const QLocale &locale) {
    FixedFormat format;
    format.locale = locale;
    const QString minusOne = QtFixed(locale, -1.0f, 0);
    const QString half = QtFixed(locale, 0.5f, 1);
    const QString thousand = QtFixed(locale, 1000.0f, 0);
    if (!minusOne.endsWith(u'1') || !half.startsWith(u'0') || !half.endsWith(u'5') ||
        !thousand.startsWith(u'1') || !thousand.endsWith(QLatin1StringView("000")))
        return format;
    if (!format.minus.assign(QStringView(minusOne).chopped(1)) ||
        !format.point.assign(QStringView(half).mid(1, half.size() - 2)) ||
        !format.group.assign(QStringView(thousand).mid(1, thousand.size() - 4)))
        return format;
    format.usable = true;
    // Checked against Qt on the shapes the fast path writes: signs, carries,
    // zeros, every length of whole part, and no decimals.
    const std::pair<float, int> probes[] = {
        {-1234.5f, 1}, {9999.94f, 1}, {999.95f, 1},  {-0.04f, 1},   {0.05f, 1}, {-7.5f, 0},
        {-20.55f, 1},  {12.0f, 0},    {123.456f, 2}, {1013.25f, 1}, {0.0f, 0},  {-9999.4f, 0}};
    for (const auto &[value, decimals] : probes)
        format.usable = format.usable && SameAsQt(format, value, decimals);
    return format;
}

const FixedFormat &FixedFormatOf(const QLocale &locale) {
    static FixedFormat format = ReadFixedFormat(locale);
    if (locale != format.locale)
        format = ReadFixedFormat(locale);
    return format;
}

void AppendFixed(TextBuilder &text, const FixedFormat &format, float value, int decimals) {
    if (!std::isfinite(value)) {
        text.add(QtFixed(format.locale, value, decimals));
        return;
    }
    if (format.usable) {
        if (const std::optional<ShortFixed> number = RoundShort(value, decimals))
            return AppendWritten(text, format, *number);
    }
    const RoundedDecimal rounded = RoundDecimal(value, decimals);
    const std::optional<ShortFixed> number = format.usable ? ShortFrom(rounded) : std::nullopt;
    if (number)
        AppendWritten(text, format, *number);
    else
        text.add(QtFixed(format.locale, rounded));
}

// Plain digits, sign in front, at least `width` digits: as
// QString("%1").arg(n, width, 10, '0') and QString::number write them.
void AppendInteger(TextBuilder &text, int value, int width = 1) {
    std::array<char16_t, 16> buffer{};
    char16_t *end = buffer.data() + buffer.size();
    char16_t *out = end;
    unsigned magnitude = value < 0 ? 0u - unsigned(value) : unsigned(value);
    do {
        *--out = char16_t(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    while (end - out < width)
        *--out = u'0';
    if (value < 0)
        *--out = u'-';
    text.add(QStringView(out, end - out));
}

// How two values compare once written with `decimals` decimals.
std::strong_ordering CompareWritten(float value, float other, int decimals) {
    const RoundedDecimal a = RoundDecimal(value, decimals);
    const RoundedDecimal b = RoundDecimal(other, decimals);
    if (a.negative != b.negative)
        return a.negative ? std::strong_ordering::less : std::strong_ordering::greater;
    // Same decimals and no leading zeros: a longer magnitude is a larger one.
    const auto magnitude =
        std::tuple(a.digits.size(), a.digits) <=> std::tuple(b.digits.size(), b.digits);
    return a.negative ? 0 <=> magnitude : magnitude;
}

// A metric reading against a metric threshold, as the user compares them.
std::partial_ordering Against(Measure measure, float reading, float threshold, UnitSystem units) {
    if (units == UnitSystem::Metric)
        return reading <=> threshold;
    const float shownReading = ToShownUnits(measure, reading, units);
    const float shownThreshold = ToShownUnits(measure, threshold, units);
    if (!std::isfinite(shownReading) || !std::isfinite(shownThreshold))
        return shownReading <=> shownThreshold;
    return CompareWritten(shownReading, shownThreshold, ThresholdDecimals(measure, units));
}

// The words of the texts, looked up once per language: a lookup for every
// report costs as much as writing its numbers.
struct WxWords {
    QString calm;
    QString windChill;
    QString dewPoint;
    QString pressureChange;
};

WxWords LookUpWords() {
    return {QCoreApplication::translate("anemora::WxDisplay", "Calma di vento"),
            QCoreApplication::translate("anemora::WxDisplay", " Wch "),
            QCoreApplication::translate("anemora::WxDisplay", " Dp "),
            QCoreApplication::translate("anemora::WxDisplay", "Variaz Press in 4h= ")};
}

WxWords &Words() {
    static WxWords words = LookUpWords();
    return words;
}

} // namespace

float WindChill(float temp, float windSpeed, float gust) {
    if (!(gust > 0))
        return NotComputed;
    const double v = windSpeed;
    const double chill = (5.27 * std::sqrt(v) + 10.45 - 0.28 * v) * 0.045 * (temp - 33.0) + 33.0;
    const auto stored = static_cast<float>(chill);
    // A negative speed has no root; a chill above the air is never shown.
    if (!std::isfinite(stored) || stored > temp)
        return NotComputed;
    return stored;
}

HumidityValues DewPointAndAbsHumidity(float temp, qint16 humidity) {
    // The logarithm needs a positive humidity; a negative one is a faulty
    // sensor, and showing nothing is better than a meaningless figure.
    if (humidity <= 0)
        return {};
    const double t = temp;
    const auto gamma =
        static_cast<float>(std::log(std::exp(17.67 * t / (t + 243.5)) * humidity / 100.0));
    const auto dewPoint = static_cast<float>(243.5 * gamma / (17.67 - gamma));
    const double d = dewPoint;
    const auto absHumidity =
        static_cast<float>(std::exp(17.67 * d / (d + 243.5)) * 1324.3483348 / (t + 273.15));
    if (!std::isfinite(dewPoint) || !std::isfinite(absHumidity))
        return {};
    return {dewPoint, absHumidity};
}

QString FormatFixed(float value, int decimals, const QLocale &locale) {
    TextBuilder text;
    AppendFixed(text, FixedFormatOf(locale), value, decimals);
    return text.take();
}

QString FormatDirection(qint16 direction) {
    TextBuilder text;
    AppendInteger(text, direction, 3);
    return text.take();
}

bool IsCalm(float windSpeed, float gust) {
    return windSpeed == 0 && gust <= 0;
}

void RefreshWxWords() {
    Words() = LookUpWords();
}

QString CalmText() {
    return Words().calm;
}

QString WindText(qint16 direction, float windSpeed, float gust, const QLocale &locale,
                 UnitSystem units) {
    const FixedFormat &format = FixedFormatOf(locale);
    TextBuilder text;
    AppendInteger(text, direction, 3);
    text.add(Degree);
    text.add(u"  ");
    AppendFixed(text, format, ToShownUnits(Measure::Speed, windSpeed, units), 0);
    if (gust >= 0) {
        text.add(u" / ");
        AppendFixed(text, format, ToShownUnits(Measure::Speed, gust, units), 0);
    }
    text.add(u' ');
    text.add(UnitSymbol(Measure::Speed, units));
    return text.take();
}

QString WindDescription(qint16 direction, float windSpeed, float gust, const QLocale &locale,
                        UnitSystem units) {
    if (IsCalm(windSpeed, gust))
        return CalmText();
    const auto speed = [&](float metric) {
        return FormatFixed(ToShownUnits(Measure::Speed, metric, units), 0, locale) + u' ' +
               UnitSymbol(Measure::Speed, units).toString();
    };
    const QString wind =
        QString::number(direction) + Degree + QStringLiteral(", ") + speed(windSpeed);
    if (gust < 0)
        return wind;
    return QCoreApplication::translate("anemora::WxDisplay", "%1, raffica %2")
        .arg(wind, speed(gust));
}

QString TempText(float temp, const QLocale &locale, UnitSystem units) {
    TextBuilder text;
    AppendFixed(text, FixedFormatOf(locale), ToShownUnits(Measure::Temperature, temp, units), 1);
    text.add(UnitSymbol(Measure::Temperature, units));
    return text.take();
}

QString HumidityText(qint16 humidity, const QLocale &locale) {
    TextBuilder text;
    AppendFixed(text, FixedFormatOf(locale), humidity, 0);
    text.add(u'%');
    return text.take();
}

QString PressureText(float pressure, const QLocale &locale, UnitSystem units) {
    TextBuilder text;
    AppendFixed(text, FixedFormatOf(locale), ToShownUnits(Measure::Pressure, pressure, units),
                1 + ExtraDecimals(Measure::Pressure, units));
    text.add(u' ');
    text.add(UnitSymbol(Measure::Pressure, units));
    return text.take();
}

QString RainText(const WxReport &wx, float windChill, const HumidityValues &humidity,
                 const QLocale &locale, UnitSystem units) {
    const FixedFormat &format = FixedFormatOf(locale);
    TextBuilder text;
    const QStringView rainUnit = UnitSymbol(Measure::Rain, units);
    const int rainDecimals = ExtraDecimals(Measure::Rain, units);
    const auto addRain = [&](float millimetres, QStringView per) {
        AppendFixed(text, format, ToShownUnits(Measure::Rain, millimetres, units), rainDecimals);
        text.add(rainUnit);
        text.add(per);
    };
    const auto addTemperature = [&](float celsius) {
        AppendFixed(text, format, ToShownUnits(Measure::Temperature, celsius, units), 1);
        text.add(UnitSymbol(Measure::Temperature, units));
    };
    bool empty = true;
    if (wx.RainHour >= 0) {
        addRain(wx.RainHour, u"/h ");
        empty = false;
    }
    if (wx.Rain24 >= 0) {
        addRain(wx.Rain24, u"/24h\r\n");
        empty = false;
    }
    if (wx.RainDay >= 0) {
        addRain(wx.RainDay, u"/Day");
        empty = false;
    }
    if (windChill > -99) {
        text.add(Words().windChill);
        addTemperature(windChill);
        empty = false;
    }
    if (humidity.AbsHumidity > -99) {
        text.add(Words().dewPoint);
        addTemperature(humidity.DewPoint);
        text.add(u"  ");
        AppendFixed(text, format, humidity.AbsHumidity, 1);
        text.add(u"g/m");
        text.add(CubedSuperscript);
        empty = false;
    }
    // No part at all stays a null text, as it always was.
    return empty ? QString() : text.take();
}

double RainFontPointSize(const QString &rainText) {
    return rainText.size() <= 25 ? 10.0 : 8.0;
}

QString CommentText(qint16 pressChange, const QString &remainder, const QLocale &locale,
                    UnitSystem units) {
    TextBuilder text;
    if (pressChange > -99) {
        text.add(Words().pressureChange);
        // Whole millibars as the station sends them; inches need decimals.
        if (units == UnitSystem::Metric)
            AppendInteger(text, pressChange);
        else
            AppendFixed(text, FixedFormatOf(locale),
                        ToShownDifference(Measure::Pressure, pressChange, units), 2);
        text.add(UnitSymbol(Measure::Pressure, units));
        text.add(u' ');
    } else {
        text.add(u' ');
    }
    text.add(remainder);
    return text.take();
}

TrendMark TrendOf(float difference) {
    if (difference > 0)
        return TrendMark::Up;
    if (difference < 0)
        return TrendMark::Down;
    return TrendMark::Steady;
}

bool WindAlarm(const AlarmThresholds &thresholds, float windSpeed, float gust, UnitSystem units) {
    return Against(Measure::Speed, windSpeed, thresholds.HiWind, units) >= 0 ||
           Against(Measure::Speed, gust, thresholds.HiGust, units) > 0;
}

bool TempAlarm(const AlarmThresholds &thresholds, float temp, UnitSystem units) {
    return Against(Measure::Temperature, temp, thresholds.LoTemp, units) <= 0 ||
           Against(Measure::Temperature, temp, thresholds.HiTemp, units) >= 0;
}

bool HumidityAlarm(const AlarmThresholds &thresholds, qint16 humidity) {
    return humidity <= thresholds.LoHum || humidity >= thresholds.HiHum;
}

bool PressureAlarm(const AlarmThresholds &thresholds, float pressure, UnitSystem units) {
    return Against(Measure::Pressure, pressure, thresholds.LoBaro, units) <= 0 ||
           Against(Measure::Pressure, pressure, thresholds.HiBaro, units) >= 0;
}

bool RainAlarm(const AlarmThresholds &thresholds, float rainHour, float rain24, UnitSystem units) {
    return Against(Measure::Rain, rainHour, thresholds.HiRainHour, units) >= 0 ||
           Against(Measure::Rain, rain24, thresholds.HiRain24, units) >= 0;
}

QString StationSoundName(const QString &stationCall) {
    // The call comes from the user or the command line: it must not lead
    // out of the program's folder.
    if (stationCall.isEmpty() || stationCall.contains(u'/') || stationCall.contains(u'\\') ||
        stationCall.contains(QLatin1String("..")) || stationCall.contains(QChar(0)))
        return {};
    return stationCall + QStringLiteral(".wav");
}

} // namespace anemora
