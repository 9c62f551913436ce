// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "reference/wx_report.h"

#include "reference/text_primitives.h"

namespace anemora::reference {

namespace {

constexpr qint16 AbsentField = -9999;
constexpr double MphToKmh = 1.609347;
constexpr double HundredthInchToMm = 0.254003;
constexpr double FiveNinths = 0.5555555555555556;

// Tells, one character at a time, whether the text seen so far is numeric
// text, so that a run of digits is measured in one pass however long it is.
class NumericRun {
public:
    void add(QChar c) {
        const bool blank = c == u' ' || c == u'\t';
        const bool digit = c >= u'0' && c <= u'9';
        switch (phase) {
        case Phase::Leading:
            if (blank)
                return;
            if (c == u'+' || c == u'-') {
                phase = Phase::Sign;
                return;
            }
            [[fallthrough]];
        case Phase::Sign:
        case Phase::Body:
            if (digit) {
                phase = Phase::Body;
                hasDigit = true;
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
    bool numeric() const { return phase != Phase::Broken && hasDigit; }

private:
    enum class Phase { Leading, Sign, Body, Trailing, Broken };
    Phase phase = Phase::Leading;
    bool hasDigit = false;
    bool hasPoint = false;
};

// Removes the key (just before `start`) and `count` characters from `start`.
void cutField(QString &text, qsizetype start, qsizetype count) {
    text.remove(start - 1, count + 1);
}

} // namespace

qint16 ReadWxField(QString &text, const QString &key, int width) {
    const qsizetype keyAt = text.indexOf(key);
    if (keyAt < 0 || width <= 0)
        return AbsentField;
    const qsizetype start = keyAt + key.size();
    const QString first = text.mid(start, width);

    if (IsNumericText(first)) {
        NumericRun run;
        for (const QChar c : first)
            run.add(c);
        qsizetype n = width;
        while (start + n < text.size()) {
            run.add(text[start + n]);
            if (!run.numeric())
                break;
            ++n;
        }
        n = qMin(n, text.size() - start);
        const std::optional<qint16> value = ToInt16(LeadingValue(text.mid(start, n)));
        cutField(text, start, n);
        // A number too large for 16 bits is consumed but counts as absent.
        return value.value_or(AbsentField);
    }
    if (first == QString(width, u'.'))
        cutField(text, start, width);
    return AbsentField;
}

WxReport ParseWxReport(const QString &text) {
    WxReport wx;
    const qsizetype underscore = text.indexOf(u'_');
    QString rest = underscore >= 0 ? text.mid(underscore + 1) : text;
    // A positionless report: 8-character timestamp, then "c" before the direction.
    if (rest.size() >= 9 && rest[8] == u'c')
        rest = rest.mid(9);

    const QString direction = rest.left(3);
    if (IsNumericText(direction)) {
        wx.WindValid = true;
        wx.WindDir = ToInt16(LeadingValue(direction)).value_or(wx.WindDir);
    }
    wx.WindSpeed = static_cast<float>(LeadingValue(rest.mid(4, 3)) * MphToKmh);

    wx.Gust = static_cast<float>(ReadWxField(rest, QStringLiteral("g"), 3) * MphToKmh);

    int fahrenheit = ReadWxField(rest, QStringLiteral("t"), 3);
    // The offset is taken in 16 bits; a reading that would leave them is absent.
    if (fahrenheit - 32 < -32768)
        fahrenheit = AbsentField;
    wx.Temp = static_cast<float>((fahrenheit - 32) * FiveNinths);

    wx.RainHour = static_cast<float>(ReadWxField(rest, QStringLiteral("r"), 3) * HundredthInchToMm);
    wx.RainDay = static_cast<float>(ReadWxField(rest, QStringLiteral("P"), 3) * HundredthInchToMm);
    wx.Rain24 = static_cast<float>(ReadWxField(rest, QStringLiteral("p"), 3) * HundredthInchToMm);

    double pressure = ReadWxField(rest, QStringLiteral("b"), 4) / 10.0;
    // Stations that drop the leading digit of the thousands send 0132 or 0850.
    if (pressure >= 0 && pressure < 60)
        pressure += 1000;
    if (pressure >= 60 && pressure < 100)
        pressure += 900;
    wx.Pressure = static_cast<float>(pressure);

    const qint16 humidity = ReadWxField(rest, QStringLiteral("h"), 2);
    wx.Humidity = humidity == 0 ? qint16(100) : humidity;

    wx.PressChange = -999;
    if (rest.contains(QLatin1String("v-")) || rest.contains(QLatin1String("v+")))
        wx.PressChange = ReadWxField(rest, QStringLiteral("v"), 3);

    wx.Remainder = rest;
    return wx;
}

} // namespace anemora::reference
