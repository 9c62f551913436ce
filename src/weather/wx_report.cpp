// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "weather/wx_report.h"

#include "weather/text_primitives.h"
#include "weather/units.h"

#include <QStringView>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace anemora {

namespace {

constexpr qint16 AbsentField = -9999;

bool IsBlank(QChar c) {
    return c == u' ' || c == u'\t';
}
bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Up to this many digits the mantissa and the power of ten are exact doubles,
// so one division gives the correctly rounded value a full conversion gives.
constexpr int MaxExactDigits = 15;
constexpr double PowersOfTen[MaxExactDigits + 1] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                    1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// Tells, one character at a time, whether the text seen so far is numeric
// text (an optional sign, digits with at most one point, blanks around), and
// gathers its value on the way, so a field is tested, measured and read in
// one pass however long it is.
class NumericRun {
public:
    void Add(QChar c) {
        const bool blank = IsBlank(c);
        switch (phase) {
        case Phase::Leading:
            if (blank)
                return;
            if (c == u'+' || c == u'-') {
                phase = Phase::Sign;
                negative = c == u'-';
                return;
            }
            [[fallthrough]];
        case Phase::Sign:
        case Phase::Body:
            if (IsDigit(c)) {
                phase = Phase::Body;
                if (++digits <= MaxExactDigits)
                    mantissa = mantissa * 10 + (c.unicode() - u'0');
                decimals += hasPoint;
            } else if (c == u'.' && !hasPoint) {
                phase = Phase::Body;
                hasPoint = true;
            } else if (blank) {
                phase = Phase::Trailing;
            } else {
                phase = Phase::Broken;
            }
            return;
        case Phase::Trailing:
            if (!blank)
                phase = Phase::Broken;
            return;
        case Phase::Broken:
            return;
        }
    }
    bool Numeric() const { return phase != Phase::Broken && digits > 0; }
    // The value of `text`, which is what was fed and numeric.
    double Value(QStringView text) const {
        if (digits > MaxExactDigits)
            return LeadingValue(text.toString());
        // Dividing by 1 would change nothing but cost a division.
        const double value =
            decimals > 0 ? double(mantissa) / PowersOfTen[decimals] : double(mantissa);
        // "-0" gives a negative zero, as the full conversion does.
        return negative ? -value : value;
    }

    // The value of `text` as a 16-bit integer, rounded half to even; empty
    // when it does not fit. Whole numbers skip the floating point.
    std::optional<qint16> Int16(QStringView text) const {
        if (digits > MaxExactDigits || decimals > 0)
            return ToInt16(Value(text));
        const qint64 value = negative ? -mantissa : mantissa;
        if (value < std::numeric_limits<qint16>::min() ||
            value > std::numeric_limits<qint16>::max())
            return std::nullopt;
        return static_cast<qint16>(value);
    }

private:
    enum class Phase { Leading, Sign, Body, Trailing, Broken };
    Phase phase = Phase::Leading;
    qint64 mantissa = 0;
    int digits = 0;
    int decimals = 0;
    bool negative = false;
    bool hasPoint = false;
};

// The number at the start of the text: sign, digits, one "." whatever the
// locale, blanks skipped; 0 when there is none. Short numbers are read here
// without a temporary string; long ones, which are rare, by LeadingValue.
double ReadLeadingValue(QStringView text) {
    qint64 mantissa = 0;
    int digits = 0;
    int decimals = 0;
    bool negative = false;
    bool point = false;
    bool signAllowed = true;
    for (const QChar c : text) {
        if (IsBlank(c))
            continue;
        if (signAllowed && (c == u'+' || c == u'-')) {
            negative = c == u'-';
        } else if (IsDigit(c)) {
            if (++digits > MaxExactDigits)
                return LeadingValue(text.toString());
            mantissa = mantissa * 10 + (c.unicode() - u'0');
            decimals += point;
        } else if (c == u'.' && !point) {
            point = true;
        } else {
            break;
        }
        signAllowed = false;
    }
    if (digits == 0)
        return 0.0;
    const double value = double(mantissa) / PowersOfTen[decimals];
    // "-0" gives a negative zero, as the full conversion does.
    return negative ? -value : value;
}

// A lettered field found at `start` (just after its key): its value, and how
// many characters after the key it takes up; 0 when it stays in the text.
struct Field {
    qint16 value = AbsentField;
    qsizetype length = 0;
};

Field ScanField(QStringView text, qsizetype start, int width) {
    const qsizetype size = text.size();
    const qsizetype firstEnd = start + qMin<qsizetype>(width, size - start);
    NumericRun run;
    for (qsizetype i = start; i < firstEnd; ++i)
        run.Add(text[i]);
    if (run.Numeric()) {
        // Read on while the field stays numeric: 'b10132' is one field.
        qsizetype end = firstEnd;
        while (end < size) {
            run.Add(text[end]);
            if (!run.Numeric())
                break;
            ++end;
        }
        const std::optional<qint16> value = run.Int16(text.sliced(start, end - start));
        // A number too large for 16 bits is consumed but counts as absent.
        return {value.value_or(AbsentField), end - start};
    }
    const QStringView first = text.sliced(start, firstEnd - start);
    if (first.size() == width &&
        std::all_of(first.begin(), first.end(), [](QChar c) { return c == u'.'; }))
        return {AbsentField, width};
    return {};
}

// Reads the field after the first `key` and cuts the key and the field out of
// `text` when it was consumed.
qint16 ReadField(QString &text, QChar key, int width) {
    const qsizetype keyAt = text.indexOf(key);
    if (keyAt < 0)
        return AbsentField;
    const Field field = ScanField(text, keyAt + 1, width);
    if (field.length > 0)
        text.remove(keyAt, field.length + 1);
    return field.value;
}

} // namespace

qint16 ReadWxField(QString &text, const QString &key, int width) {
    const qsizetype keyAt = text.indexOf(key);
    if (keyAt < 0 || width <= 0)
        return AbsentField;
    const qsizetype start = keyAt + key.size();
    const Field field = ScanField(text, start, width);
    // Only the last character of a longer key goes with the field.
    if (field.length > 0)
        text.remove(start - 1, field.length + 1);
    return field.value;
}

WxReport ParseWxReport(const QString &text) {
    WxReport wx;
    // After the first "_", or from the start when there is none.
    qsizetype from = text.indexOf(u'_') + 1;
    // A positionless report: 8-character timestamp, then "c" before the direction.
    if (text.size() - from >= 9 && text[from + 8] == u'c')
        from += 9;
    QString rest = from == 0 ? text : text.mid(from);
    const QStringView wind(rest);

    const QStringView direction = wind.first(qMin<qsizetype>(3, wind.size()));
    NumericRun run;
    for (const QChar c : direction)
        run.Add(c);
    if (run.Numeric()) {
        wx.WindValid = true;
        wx.WindDir = run.Int16(direction).value_or(wx.WindDir);
    }
    if (wind.size() > 4)
        wx.WindSpeed = static_cast<float>(
            ReadLeadingValue(wind.sliced(4, qMin<qsizetype>(3, wind.size() - 4))) * KmhPerMph);

    wx.Gust = static_cast<float>(ReadField(rest, u'g', 3) * KmhPerMph);

    int fahrenheit = ReadField(rest, u't', 3);
    // The offset is taken in 16 bits; a reading that would leave them is absent.
    if (fahrenheit - 32 < -32768)
        fahrenheit = AbsentField;
    wx.Temp = static_cast<float>((fahrenheit - 32) * CelsiusPerFahrenheit);

    wx.RainHour = static_cast<float>(ReadField(rest, u'r', 3) * MmPerHundredthInch);
    wx.RainDay = static_cast<float>(ReadField(rest, u'P', 3) * MmPerHundredthInch);
    wx.Rain24 = static_cast<float>(ReadField(rest, u'p', 3) * MmPerHundredthInch);

    double pressure = ReadField(rest, u'b', 4) / 10.0;
    // Stations that drop the leading digit of the thousands send 0132 or 0850.
    if (pressure >= 0 && pressure < 60)
        pressure += 1000;
    if (pressure >= 60 && pressure < 100)
        pressure += 900;
    wx.Pressure = static_cast<float>(pressure);

    const qint16 humidity = ReadField(rest, u'h', 2);
    wx.Humidity = humidity == 0 ? qint16(100) : humidity;

    wx.PressChange = -999;
    if (rest.contains(QLatin1StringView("v-")) || rest.contains(QLatin1StringView("v+")))
        wx.PressChange = ReadField(rest, u'v', 3);

    wx.Remainder = std::move(rest);
    return wx;
}

} // namespace anemora
