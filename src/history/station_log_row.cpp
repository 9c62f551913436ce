// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "history/station_log_row.h"

#include "weather/wx_display.h"

#include <QList>

#include <array>
#include <charconv>
#include <cmath>

namespace anemora {

namespace {

// The value columns after the time and the station, in file order. Exactly
// one of the two members is set.
struct ValueColumn {
    const char *name;
    std::optional<float> StationLogRow::*decimal;
    std::optional<qint16> StationLogRow::*whole;
};

constexpr std::array<ValueColumn, 11> ValueColumns{{
    // clang-format off
    {"wind_direction_deg", nullptr, &StationLogRow::windDirection},
    {"wind_speed_kmh", &StationLogRow::windSpeed, nullptr},
    {"gust_kmh", &StationLogRow::gust, nullptr},
    {"temperature_c", &StationLogRow::temperature, nullptr},
    {"dew_point_c", &StationLogRow::dewPoint, nullptr},
    {"humidity_pct", nullptr, &StationLogRow::humidity},
    {"pressure_mb", &StationLogRow::pressure, nullptr},
    {"pressure_change_4h_mb", nullptr, &StationLogRow::pressureChange},
    {"rain_1h_mm", &StationLogRow::rainHour, nullptr},
    {"rain_since_midnight_mm", &StationLogRow::rainDay, nullptr},
    {"rain_24h_mm", &StationLogRow::rain24, nullptr},
    // clang-format on
}};

constexpr qsizetype FieldCount = 2 + qsizetype(ValueColumns.size());

template <typename T> std::optional<T> PresentIf(bool present, T value) {
    return present ? std::optional<T>(value) : std::nullopt;
}

// Shortest text that reads back as the same float.
void AppendNumber(QByteArray &line, float value) {
    std::array<char, 32> buffer{};
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value).ptr;
    line.append(buffer.data(), end - buffer.data());
}

QByteArray Quoted(const QString &text) {
    QByteArray bytes = text.toLatin1();
    if (!bytes.contains(',') && !bytes.contains('"') && !bytes.contains('\n') &&
        !bytes.contains('\r'))
        return bytes;
    return '"' + bytes.replace("\"", "\"\"") + '"';
}

// Cuts a line at commas; a field in double quotes may hold commas and
// doubled quotes. False for an unclosed quote or text after a closing one.
bool SplitFields(const QByteArray &line, QList<QByteArray> &fields) {
    qsizetype at = 0;
    while (true) {
        QByteArray field;
        if (at < line.size() && line[at] == '"') {
            ++at;
            while (true) {
                const qsizetype close = line.indexOf('"', at);
                if (close < 0)
                    return false;
                field += line.mid(at, close - at);
                at = close + 1;
                if (at < line.size() && line[at] == '"') {
                    field += '"';
                    ++at;
                    continue;
                }
                break;
            }
            if (at < line.size() && line[at] != ',')
                return false;
        } else {
            const qsizetype comma = line.indexOf(',', at);
            const qsizetype end = comma < 0 ? line.size() : comma;
            field = line.mid(at, end - at);
            at = end;
        }
        fields.append(field);
        if (at >= line.size())
            return true;
        ++at; // the comma
    }
}

template <typename T> bool ReadNumber(const QByteArray &field, std::optional<T> &out) {
    if (field.isEmpty()) {
        out.reset();
        return true;
    }
    T value{};
    const char *end = field.constData() + field.size();
    const auto result = std::from_chars(field.constData(), end, value);
    if (result.ec != std::errc() || result.ptr != end)
        return false;
    if constexpr (std::is_floating_point_v<T>) {
        if (!std::isfinite(value))
            return false;
    }
    out = value;
    return true;
}

int DigitsAt(const QByteArray &text, qsizetype from, qsizetype count) {
    int value = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// Reads exactly the form the log writes, yyyy-MM-ddTHH:mm:ssZ; strict and
// far quicker than a general ISO 8601 parser on a week of lines.
QDateTime ParseUtcTime(const QByteArray &text) {
    if (text.size() != 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T' ||
        text[13] != ':' || text[16] != ':' || text[19] != 'Z')
        return {};
    const QDate date(DigitsAt(text, 0, 4), DigitsAt(text, 5, 2), DigitsAt(text, 8, 2));
    const QTime time(DigitsAt(text, 11, 2), DigitsAt(text, 14, 2), DigitsAt(text, 17, 2));
    if (!date.isValid() || !time.isValid())
        return {};
    return QDateTime(date, time, Qt::UTC);
}

} // namespace

StationLogRow LogRowFromReport(const QDateTime &arrival, const QString &station,
                               const WxReport &wx) {
    StationLogRow row;
    QDateTime utc = arrival.toUTC();
    // The log keeps whole seconds.
    utc.setTime(QTime(utc.time().hour(), utc.time().minute(), utc.time().second()));
    row.arrivalUtc = utc;
    row.station = station;
    const bool hasWind = wx.WindDir > -99;
    row.windDirection = PresentIf(hasWind, wx.WindDir);
    // The speed is read even from dots; it means something only beside a direction.
    row.windSpeed = PresentIf(hasWind, wx.WindSpeed);
    row.gust = PresentIf(wx.Gust >= 0, wx.Gust);
    row.temperature = PresentIf(wx.Temp > -99, wx.Temp);
    if (wx.Temp > -99 && wx.Humidity > -99) {
        const float dewPoint = DewPointAndAbsHumidity(wx.Temp, wx.Humidity).DewPoint;
        row.dewPoint = PresentIf(dewPoint > -99, dewPoint);
    }
    row.humidity = PresentIf(wx.Humidity > 0, wx.Humidity);
    row.pressure = PresentIf(wx.Pressure > 0, wx.Pressure);
    row.pressureChange = PresentIf(wx.PressChange > -99, wx.PressChange);
    row.rainHour = PresentIf(wx.RainHour >= 0, wx.RainHour);
    row.rainDay = PresentIf(wx.RainDay >= 0, wx.RainDay);
    row.rain24 = PresentIf(wx.Rain24 >= 0, wx.Rain24);
    return row;
}

QByteArray StationLogHeader() {
    QByteArray header("time_utc,station");
    for (const ValueColumn &column : ValueColumns)
        header += ',' + QByteArray(column.name);
    return header;
}

QByteArray FormatLogLine(const StationLogRow &row) {
    QByteArray line = row.arrivalUtc.toUTC().toString(Qt::ISODate).toLatin1();
    line += ',' + Quoted(row.station);
    for (const ValueColumn &column : ValueColumns) {
        line += ',';
        if (column.decimal && (row.*column.decimal))
            AppendNumber(line, *(row.*column.decimal));
        else if (column.whole && (row.*column.whole))
            line += QByteArray::number(*(row.*column.whole));
    }
    return line + '\n';
}

std::optional<StationLogRow> ParseLogLine(const QByteArray &line) {
    QList<QByteArray> fields;
    fields.reserve(FieldCount);
    if (!SplitFields(line, fields) || fields.size() != FieldCount)
        return std::nullopt;
    StationLogRow row;
    row.arrivalUtc = ParseUtcTime(fields[0]);
    if (!row.arrivalUtc.isValid())
        return std::nullopt;
    row.station = QString::fromLatin1(fields[1]);
    for (std::size_t i = 0; i < ValueColumns.size(); ++i) {
        const QByteArray &field = fields[qsizetype(i) + 2];
        const ValueColumn &column = ValueColumns[i];
        const bool read = column.decimal ? ReadNumber(field, row.*column.decimal)
                                         : ReadNumber(field, row.*column.whole);
        if (!read)
            return std::nullopt;
    }
    return row;
}

} // namespace anemora
