#include "weather/wx_display.h"

#include <QLocale>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>
#include <utility>

namespace anemora {

namespace {

constexpr QChar Degree(0x00B0);
constexpr QChar CubedSuperscript(0x00B3);

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

// The rounded number as Qt writes it in the default locale.
QString QtFixed(const RoundedDecimal &rounded) {
    QString plain;
    plain.reserve(qsizetype(rounded.digits.size()) + 2);
    if (rounded.negative)
        plain += u'-';
    plain += QLatin1StringView(rounded.digits.data(), rounded.wholeDigits());
    if (rounded.decimals > 0) {
        plain += u'.';
        plain += QLatin1StringView(rounded.digits.data() + rounded.wholeDigits(), rounded.decimals);
    }
    return QLocale().toString(QLocale::c().toDouble(plain), 'f', rounded.decimals);
}

QString QtFixed(float value, int decimals) {
    if (!std::isfinite(value))
        return QLocale().toString(double(value), 'f', decimals);
    return QtFixed(RoundDecimal(value, decimals));
}

// How the default locale writes a short fixed number, learnt from Qt's own
// output once per locale: asking Qt for every number costs more than all
// the rest of a report's texts.
struct FixedFormat {
    // False when the locale writes numbers in a way not reproduced here
    // (other digits, other grouping): then Qt writes every number.
    bool usable = false;
    QString minus;
    QString point;
    // After the first digit of a four-digit whole part; empty when the
    // locale does not group four digits.
    QString group;
};

// Short enough for the one buffer a number is written into.
constexpr qsizetype MaxSymbolSize = 4;
// Whole parts up to here are written here; longer ones by Qt.
constexpr int MaxWholeDigits = 4;
constexpr int MaxDecimals = 9;

bool Writable(const FixedFormat &format, const RoundedDecimal &rounded) {
    return format.usable && rounded.wholeDigits() <= MaxWholeDigits &&
           rounded.decimals >= 0 && rounded.decimals <= MaxDecimals;
}

void AppendWritten(QString &text, const FixedFormat &format, const RoundedDecimal &rounded) {
    std::array<char16_t, 3 * MaxSymbolSize + MaxWholeDigits + MaxDecimals> buffer{};
    char16_t *out = buffer.data();
    const auto put = [&out](const QString &symbol) {
        out = std::copy(symbol.utf16(), symbol.utf16() + symbol.size(), out);
    };
    if (rounded.negative)
        put(format.minus);
    const char *digit = rounded.digits.data();
    const int whole = rounded.wholeDigits();
    for (int i = 0; i < whole; ++i) {
        if (i == 1 && whole == 4)
            put(format.group);
        *out++ = char16_t(*digit++);
    }
    if (rounded.decimals > 0) {
        put(format.point);
        for (int i = 0; i < rounded.decimals; ++i)
            *out++ = char16_t(*digit++);
    }
    text.append(reinterpret_cast<const QChar *>(buffer.data()), out - buffer.data());
}

bool SameAsQt(const FixedFormat &format, float value, int decimals) {
    const RoundedDecimal rounded = RoundDecimal(value, decimals);
    QString written;
    AppendWritten(written, format, rounded);
    return written == QtFixed(rounded);
}

FixedFormat ReadFixedFormat() {
    FixedFormat format;
    const QString minusOne = QtFixed(-1.0f, 0);
    const QString half = QtFixed(0.5f, 1);
    const QString thousand = QtFixed(1000.0f, 0);
    if (!minusOne.endsWith(u'1') || !half.startsWith(u'0') || !half.endsWith(u'5') ||
        !thousand.startsWith(u'1') || !thousand.endsWith(QLatin1StringView("000")))
        return format;
    format.minus = minusOne.chopped(1);
    format.point = half.mid(1, half.size() - 2);
    format.group = thousand.mid(1, thousand.size() - 4);
    if (format.minus.size() > MaxSymbolSize || format.point.size() > MaxSymbolSize ||
        format.group.size() > MaxSymbolSize)
        return format;
    format.usable = true;
    // Checked against Qt on the shapes the fast path writes: signs, carries,
    // zeros, every length of whole part, and no decimals.
    const std::pair<float, int> probes[] = {
        {-1234.5f, 1}, {9999.94f, 1}, {999.95f, 1}, {-0.04f, 1}, {0.05f, 1}, {-7.5f, 0},
        {-20.55f, 1},  {12.0f, 0},    {123.456f, 2}, {1013.25f, 1}, {0.0f, 0}, {-9999.4f, 0}};
    for (const auto &[value, decimals] : probes)
        format.usable = format.usable && SameAsQt(format, value, decimals);
    return format;
}

const FixedFormat &CurrentFixedFormat() {
    static QLocale readFor;
    static FixedFormat format = ReadFixedFormat();
    if (const QLocale locale; locale != readFor) {
        readFor = locale;
        format = ReadFixedFormat();
    }
    return format;
}

void AppendFixed(QString &text, const FixedFormat &format, float value, int decimals) {
    if (!std::isfinite(value)) {
        text += QtFixed(value, decimals);
        return;
    }
    const RoundedDecimal rounded = RoundDecimal(value, decimals);
    if (Writable(format, rounded))
        AppendWritten(text, format, rounded);
    else
        text += QtFixed(rounded);
}

// Plain digits, sign in front, at least `width` digits: as
// QString("%1").arg(n, width, 10, '0') and QString::number write them.
void AppendInteger(QString &text, int value, int width = 1) {
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
    text.append(reinterpret_cast<const QChar *>(out), end - out);
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

QString FormatFixed(float value, int decimals) {
    QString text;
    AppendFixed(text, CurrentFixedFormat(), value, decimals);
    return text;
}

QString FormatDirection(qint16 direction) {
    QString text;
    AppendInteger(text, direction, 3);
    return text;
}

bool IsCalm(float windSpeed, float gust) {
    return windSpeed == 0 && gust <= 0;
}

QString WindText(qint16 direction, float windSpeed, float gust) {
    const FixedFormat &format = CurrentFixedFormat();
    QString text;
    text.reserve(40);
    AppendInteger(text, direction, 3);
    text += Degree;
    text += QLatin1StringView("  ");
    AppendFixed(text, format, windSpeed, 0);
    if (gust >= 0) {
        text += QLatin1StringView(" / ");
        AppendFixed(text, format, gust, 0);
    }
    text += QLatin1StringView(" km/h");
    return text;
}

QString TempText(float temp) {
    QString text;
    text.reserve(16);
    AppendFixed(text, CurrentFixedFormat(), temp, 1);
    text += Degree;
    text += u'C';
    return text;
}

QString HumidityText(qint16 humidity) {
    QString text;
    text.reserve(16);
    AppendFixed(text, CurrentFixedFormat(), humidity, 0);
    text += u'%';
    return text;
}

QString PressureText(float pressure) {
    QString text;
    text.reserve(20);
    AppendFixed(text, CurrentFixedFormat(), pressure, 1);
    text += QLatin1StringView(" mb");
    return text;
}

QString RainText(const WxReport &wx, float windChill, const HumidityValues &humidity) {
    const FixedFormat &format = CurrentFixedFormat();
    QString text;
    text.reserve(96);
    if (wx.RainHour >= 0) {
        AppendFixed(text, format, wx.RainHour, 0);
        text += QLatin1StringView("mm/h ");
    }
    if (wx.Rain24 >= 0) {
        AppendFixed(text, format, wx.Rain24, 0);
        text += QLatin1StringView("mm/24h\r\n");
    }
    if (wx.RainDay >= 0) {
        AppendFixed(text, format, wx.RainDay, 0);
        text += QLatin1StringView("mm/Day");
    }
    if (windChill > -99) {
        text += QLatin1StringView(" Wch ");
        AppendFixed(text, format, windChill, 1);
        text += Degree;
        text += u'C';
    }
    if (humidity.AbsHumidity > -99) {
        text += QLatin1StringView(" Dp ");
        AppendFixed(text, format, humidity.DewPoint, 1);
        text += Degree;
        text += QLatin1StringView("C  ");
        AppendFixed(text, format, humidity.AbsHumidity, 1);
        text += QLatin1StringView("g/m");
        text += CubedSuperscript;
    }
    // No part at all stays a null text, as it always was.
    return text.isEmpty() ? QString() : text;
}

double RainFontPointSize(const QString &rainText) {
    return rainText.size() <= 25 ? 10.0 : 8.0;
}

QString CommentText(qint16 pressChange, const QString &remainder) {
    QString text;
    text.reserve(32 + remainder.size());
    if (pressChange > -99) {
        text += QLatin1StringView("Variaz Press in 4h= ");
        AppendInteger(text, pressChange);
        text += QLatin1StringView("mb ");
    } else {
        text += u' ';
    }
    text += remainder;
    return text;
}

TrendMark TrendOf(float difference) {
    if (difference > 0)
        return TrendMark::Up;
    if (difference < 0)
        return TrendMark::Down;
    return TrendMark::Steady;
}

bool WindAlarm(const AlarmThresholds &thresholds, float windSpeed, float gust) {
    return windSpeed >= thresholds.HiWind || gust > thresholds.HiGust;
}

bool TempAlarm(const AlarmThresholds &thresholds, float temp) {
    return temp <= thresholds.LoTemp || temp >= thresholds.HiTemp;
}

bool HumidityAlarm(const AlarmThresholds &thresholds, qint16 humidity) {
    return humidity <= thresholds.LoHum || humidity >= thresholds.HiHum;
}

bool PressureAlarm(const AlarmThresholds &thresholds, float pressure) {
    return pressure <= thresholds.LoBaro || pressure >= thresholds.HiBaro;
}

bool RainAlarm(const AlarmThresholds &thresholds, float rainHour, float rain24) {
    return rainHour >= thresholds.HiRainHour || rain24 >= thresholds.HiRain24;
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
