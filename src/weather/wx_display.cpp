#include "weather/wx_display.h"

#include <QLocale>

#include <array>
#include <charconv>
#include <cmath>
#include <string>

namespace anemora {

namespace {

const QString Degree = QString(QChar(0x00B0));
const QString CubedSuperscript = QString(QChar(0x00B3));

// Rounds a plain decimal text ("-3.55") to `decimals` places, halves away
// from zero, working on the digits so no binary error can tip a half.
std::string roundDecimalText(std::string text, int decimals) {
    const bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.erase(0, 1);
    const std::size_t point = text.find('.');
    std::string whole = point == std::string::npos ? text : text.substr(0, point);
    std::string fraction = point == std::string::npos ? std::string() : text.substr(point + 1);
    const auto keep = static_cast<std::size_t>(decimals);
    const bool roundUp = fraction.size() > keep && fraction[keep] >= '5';
    fraction.resize(keep, '0');

    std::string digits = whole + fraction;
    if (roundUp) {
        auto it = digits.rbegin();
        for (; it != digits.rend() && *it == '9'; ++it)
            *it = '0';
        if (it == digits.rend())
            digits.insert(digits.begin(), '1');
        else
            ++*it;
    }
    const bool zero = digits.find_first_not_of('0') == std::string::npos;
    std::string result = digits.substr(0, digits.size() - keep);
    if (keep > 0)
        result += '.' + digits.substr(digits.size() - keep);
    // A value that rounds to zero is shown without a minus sign.
    return negative && !zero ? '-' + result : result;
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
    if (!std::isfinite(value))
        return QLocale().toString(double(value), 'f', decimals);
    std::array<char, 128> buffer{};
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                       std::chars_format::fixed);
    const std::string rounded = roundDecimalText(std::string(buffer.data(), written.ptr), decimals);
    const double exact = QLocale::c().toDouble(QString::fromLatin1(rounded));
    return QLocale().toString(exact, 'f', decimals);
}

QString FormatDirection(qint16 direction) {
    const QString digits = QStringLiteral("%1").arg(std::abs(int(direction)), 3, 10, QChar(u'0'));
    return direction < 0 ? QStringLiteral("-") + digits : digits;
}

bool IsCalm(float windSpeed, float gust) {
    return windSpeed == 0 && gust <= 0;
}

QString WindText(qint16 direction, float windSpeed, float gust) {
    QString text =
        FormatDirection(direction) + Degree + QStringLiteral("  ") + FormatFixed(windSpeed, 0);
    if (gust >= 0)
        text += QStringLiteral(" / ") + FormatFixed(gust, 0);
    return text + QStringLiteral(" km/h");
}

QString TempText(float temp) {
    return FormatFixed(temp, 1) + Degree + QStringLiteral("C");
}

QString HumidityText(qint16 humidity) {
    return FormatFixed(humidity, 0) + QStringLiteral("%");
}

QString PressureText(float pressure) {
    return FormatFixed(pressure, 1) + QStringLiteral(" mb");
}

QString RainText(const WxReport &wx, float windChill, const HumidityValues &humidity) {
    QString text;
    if (wx.RainHour >= 0)
        text += FormatFixed(wx.RainHour, 0) + QStringLiteral("mm/h ");
    if (wx.Rain24 >= 0)
        text += FormatFixed(wx.Rain24, 0) + QStringLiteral("mm/24h\r\n");
    if (wx.RainDay >= 0)
        text += FormatFixed(wx.RainDay, 0) + QStringLiteral("mm/Day");
    if (windChill > -99)
        text += QStringLiteral(" Wch ") + FormatFixed(windChill, 1) + Degree + QStringLiteral("C");
    if (humidity.AbsHumidity > -99)
        text += QStringLiteral(" Dp ") + FormatFixed(humidity.DewPoint, 1) + Degree +
                QStringLiteral("C  ") + FormatFixed(humidity.AbsHumidity, 1) +
                QStringLiteral("g/m") + CubedSuperscript;
    return text;
}

double RainFontPointSize(const QString &rainText) {
    return rainText.size() <= 25 ? 10.0 : 8.0;
}

QString CommentText(qint16 pressChange, const QString &remainder) {
    const QString note = pressChange > -99
                             ? QStringLiteral("Variaz Press in 4h= ") +
                                   QString::number(pressChange) + QStringLiteral("mb ")
                             : QStringLiteral(" ");
    return note + remainder;
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
