// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "monitor/station_monitor.h"

#include "intake/agw_frame.h"
#include "intake/tnc2_header.h"
#include "weather/wx_display.h"
#include "weather/wx_report.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>
#include <utility>

namespace anemora {

namespace {

// Data types of position reports and objects, which carry weather only when
// their symbol is "_".
bool IsPositionType(QChar type) {
    return type == u'/' || type == u'@' || type == u'!' || type == u'=' || type == u';';
}

QString HistoryStamp(const QDateTime &when) {
    const QLocale locale;
    return locale.toString(when.date(), QLocale::ShortFormat) + u' ' +
           locale.toString(when.time(), QLocale::LongFormat);
}

const QString LineEnd = QStringLiteral("\r\n");

// A little-endian 16-bit number of the data; bytes beyond a short reply read
// as 0.
int DataWord(QByteArrayView data, qsizetype index) {
    const auto byte = [&](qsizetype i) {
        return i < data.size() ? static_cast<unsigned char>(data[i]) : 0;
    };
    return byte(index) + 256 * byte(index + 1);
}

// The per-report notification requests gathered while the values are shown.
struct ReportNotices {
    bool BringForward = false;
    bool PlayAlarm = false;
    bool PlayNewData = false;

    ReadingColour test(const WxConfig &config, bool alarm) {
        if (!alarm)
            return ReadingColour::Normal;
        if (config.FocusAlarm)
            BringForward = true;
        if (config.BeepAlarm)
            PlayAlarm = true;
        return ReadingColour::Alarm;
    }
};

// Puts `with` in place of the text, in its own buffer when no one else
// shares it: every line of a busy feed refreshes the Rx rows.
void ReplaceText(QString &text, QStringView with) {
    if (!text.isDetached() || text.capacity() < with.size()) {
        text = with.toString();
        return;
    }
    text.resize(with.size());
    QChar *out = text.data();
    for (const QChar c : with)
        *out++ = c;
}

void ShowRxRows(QStringList &rows, QStringView header, QStringView payload) {
    if (rows.size() != 2) {
        rows = QStringList{header.toString(), payload.toString()};
        return;
    }
    ReplaceText(rows[0], header);
    ReplaceText(rows[1], payload);
}

// The tray tooltip: the station and the readings on one line.
QString TrayTip(std::initializer_list<const QString *> parts) {
    qsizetype size = qsizetype(parts.size()) - 1;
    for (const QString *part : parts)
        size += part->size();
    QString tip(size, Qt::Uninitialized);
    QChar *out = tip.data();
    for (const QString *part : parts) {
        if (part != *parts.begin())
            *out++ = u' ';
        out = std::copy(part->cbegin(), part->cend(), out);
    }
    return tip;
}

// Shows a reading with its trend since the previous report, then keeps it
// for the next one.
template <typename Value>
void ShowReading(ReadingLabel &label, TrendMark &trend, ReadingColour colour, QString text,
                 Value value, Value &last, bool haveLast) {
    label.colour = colour;
    label.text = std::move(text);
    trend = haveLast ? TrendOf(float(value - last)) : TrendMark::None;
    last = value;
}

} // namespace

StationMonitor::StationMonitor(WxConfig &config, Notifications &notifications, QString appDir,
                               SteadyClock alarmClock, QObject *parent)
    : QObject(parent), config(config), notifications(notifications), appDir(std::move(appDir)),
      alarmSound(QDir(this->appDir).filePath(QStringLiteral("Alarm.wav"))),
      newDataSound(QDir(this->appDir).filePath(QStringLiteral("NewData.wav"))),
      dataStopped(std::move(alarmClock)) {}

void StationMonitor::SetStatusLine(const TranslatableText &text) {
    ShowStatus(text);
    emit displayChanged();
}

void StationMonitor::ShowStatus(const TranslatableText &text) {
    statusSource = text;
    model.comment = text.Render();
    shown.comment = false;
}

void StationMonitor::SetLinkTrouble(LinkKind link, const TranslatableText &trouble) {
    const auto index = std::size_t(link);
    linkTroubles[index] = trouble;
    model.linkTrouble[index] = trouble.Render();
    emit displayChanged();
}

void StationMonitor::ClearHistory() {
    model.history.clear();
    emit displayChanged();
}

void StationMonitor::HandleAprsLine(const QString &line) {
    const Tnc2View split = ViewTnc2Header(line);
    if (split.hasHeader)
        ShowRxRows(model.rxRows, split.header, split.payload);
    if (const std::optional<QStringList> rows = LogrespRows(line))
        model.rxRows = *rows;
    // Most lines of a busy feed come from other stations, which the rule
    // turns away at once: only the station's own are copied and stamped.
    if (split.sourceCall == config.StationCall && acceptNextReport) {
        const QString history = u'[' + HistoryStamp(clock()) + QStringLiteral("] ") +
                                model.rxRows.value(0) + LineEnd + model.rxRows.value(1) + LineEnd;
        ApplyAcceptanceRule(split.sourceCall.toString(), split.payload.toString(), history);
    }
    emit displayChanged();
}

void StationMonitor::ApplyAcceptanceRule(const QString &sourceCall, const QString &payload,
                                         const QString &historyText) {
    if (sourceCall != config.StationCall || !acceptNextReport)
        return;
    AppendHistory(historyText);
    if (payload.isEmpty())
        return;
    const QChar type = payload.front();
    if (type == u'_' || (IsPositionType(type) && payload.contains(u'_')))
        DecodeWxReport(payload);
}

void StationMonitor::AppendHistory(const QString &text) {
    constexpr qsizetype TrimAbove = 9999;
    constexpr qsizetype Keep = 9800;
    if (model.history.size() > TrimAbove)
        model.history = model.history.right(Keep);
    model.history += text;
    emit displayChanged();
}

void StationMonitor::HandleAgwFrame(const QByteArray &frame, int offset, qint32 dataLen) {
    if (offset < 0 || dataLen <= 0 || frame.size() - offset - AgwHeaderSize < dataLen)
        return;
    const QByteArrayView data = QByteArrayView(frame).sliced(offset + AgwHeaderSize, dataLen);
    QString sourceCall = AgwCallFrom(frame, offset);
    switch (frame.at(offset + AgwKindOffset)) {
    case 'U':
    case 'T':
        model.rxRows = MonitorRows(data);
        break;
    case 'G':
        portsSource = TranslatableText(staticMetaObject.className(), QT_TR_NOOP("Porte Radio : %1"),
                                       {QString(QChar(static_cast<unsigned char>(data.front())))});
        model.rain.text = portsSource->Render();
        shown.rain = false;
        break;
    case 'R':
        ShowStatus({staticMetaObject.className(),
                    QT_TR_NOOP("Anemora connesso a AGWPE v%1.%2"),
                    {QString::number(DataWord(data, 0)), QString::number(DataWord(data, 4))}});
        break;
    default:
        sourceCall.clear();
        break;
    }
    const QString payload = model.rxRows.isEmpty() ? QString() : model.rxRows.last();
    ApplyAcceptanceRule(sourceCall, payload,
                        model.rxRows.value(0) + LineEnd + model.rxRows.value(1) + LineEnd);
    emit displayChanged();
}

void StationMonitor::DecodeWxReport(const QString &payload) {
    ReportNotices notices;
    notices.BringForward = config.FocusNewData;

    model.minutes = QStringLiteral("00");
    minutesSinceReport = 0;
    FollowDataStopped(dataStopped.ReportTaken());

    WxReport wx = ParseWxReport(payload);
    // Every text of the report in one locale, looked up once.
    const QLocale locale;
    if (wx.WindValid) {
        notifications.RestartMinuteTimer();
        acceptNextReport = false;
        notices.PlayNewData = config.BeepNewData;
    }

    model.wind.colour = ReadingColour::Normal;
    if (wx.WindDir > -99) {
        model.compass = {true, wx.WindDir, wx.WindSpeed, wx.Gust};
        if (IsCalm(wx.WindSpeed, wx.Gust)) {
            model.wind.text = CalmText();
        } else {
            model.wind.colour =
                notices.test(config, WindAlarm(config, wx.WindSpeed, wx.Gust, config.Units));
            model.wind.text = WindText(wx.WindDir, wx.WindSpeed, wx.Gust, locale, config.Units);
        }
        wx.Remainder.remove(0, 7);
    }

    float windChill = NotComputed;
    HumidityValues humidity;
    if (wx.Temp > -99) {
        windChill = WindChill(wx.Temp, wx.WindSpeed, wx.Gust);
        if (wx.Humidity > -99)
            humidity = DewPointAndAbsHumidity(wx.Temp, wx.Humidity);
    }

    if (wx.Temp > -99)
        ShowReading(model.temperature, model.trends[0],
                    notices.test(config, TempAlarm(config, wx.Temp, config.Units)),
                    TempText(wx.Temp, locale, config.Units), wx.Temp, lastTemperature,
                    haveLastValues);
    if (wx.Humidity > 0)
        ShowReading(model.humidity, model.trends[1],
                    notices.test(config, HumidityAlarm(config, wx.Humidity)),
                    HumidityText(wx.Humidity, locale), wx.Humidity, lastHumidity, haveLastValues);
    if (wx.Pressure > 0)
        ShowReading(model.pressure, model.trends[2],
                    notices.test(config, PressureAlarm(config, wx.Pressure, config.Units)),
                    PressureText(wx.Pressure, locale, config.Units), wx.Pressure, lastPressure,
                    haveLastValues);

    model.rain.colour =
        notices.test(config, RainAlarm(config, wx.RainHour, wx.Rain24, config.Units));
    shown = {wx, windChill, humidity, true, false, false};
    ShowRain(locale);

    if (notices.BringForward)
        notifications.BringForward();
    if (notices.PlayAlarm) {
        notifications.PlaySound(alarmSound);
    } else if (notices.PlayNewData) {
        const QString own = StationSoundName(config.StationCall);
        const QString ownPath = own.isEmpty() ? QString() : QDir(appDir).filePath(own);
        const bool haveOwn = !ownPath.isEmpty() && QFileInfo(ownPath).isFile();
        notifications.PlaySound(haveOwn ? ownPath : newDataSound);
    }

    haveLastValues = true;
    shown.comment = shown.trayTip = true;
    ShowCommentAndTip(locale);
    emit displayChanged();
    emit reportDecoded(wx);
}

void StationMonitor::ShowRain(const QLocale &locale) {
    if (!shown.rain)
        return;
    model.rain.text = RainText(shown.report, shown.windChill, shown.humidity, locale, config.Units);
    model.rainFontPointSize = RainFontPointSize(model.rain.text);
}

void StationMonitor::ShowCommentAndTip(const QLocale &locale) {
    const WxReport &wx = shown.report;
    if (shown.trayTip)
        model.trayTip = TrayTip({&config.StationCall, &model.wind.text, &model.temperature.text,
                                 &model.humidity.text, &model.pressure.text, &model.rain.text});
    if (shown.comment)
        model.comment = CommentText(wx.PressChange, wx.Remainder, locale, config.Units);
}

void StationMonitor::RefreshTexts() {
    const QLocale locale;
    if (model.history == historyTitle)
        model.history = historyTitle = tr("Dati storici");
    // The compass and the wind text are drawn and cleared together.
    const CompassRequest &wind = model.compass;
    if (wind.drawn)
        model.wind.text = IsCalm(wind.speed, wind.gust) ? CalmText()
                                                        : WindText(wind.direction, wind.speed,
                                                                   wind.gust, locale, config.Units);
    if (!model.temperature.text.isEmpty())
        model.temperature.text = TempText(lastTemperature, locale, config.Units);
    if (!model.pressure.text.isEmpty())
        model.pressure.text = PressureText(lastPressure, locale, config.Units);
    if (captionSource) {
        model.caption = captionSource->Render();
        if (!shown.trayTip)
            model.trayTip = model.caption;
    }
    if (portsSource && !shown.rain)
        model.rain.text = portsSource->Render();
    ShowRain(locale);
    if (statusSource && !shown.comment)
        model.comment = statusSource->Render();
    ShowCommentAndTip(locale);
    ShowDataStopped();
    for (std::size_t link = 0; link < linkTroubles.size(); ++link)
        model.linkTrouble[link] = linkTroubles[link].Render();
    emit displayChanged();
}

void StationMonitor::MinuteTick() {
    acceptNextReport = true;
    if (minutesSinceReport < 99)
        ++minutesSinceReport;
    model.minutes = QStringLiteral("%1").arg(minutesSinceReport, 2, 10, QChar(u'0'));
    FollowDataStopped(dataStopped.Check(config.DataStoppedMinutes));
    emit displayChanged();
}

void StationMonitor::SetLinkConnected(bool connected) {
    FollowDataStopped(dataStopped.SetLinkConnected(connected));
    emit displayChanged();
}

void StationMonitor::CheckDataStopped() {
    FollowDataStopped(dataStopped.Check(config.DataStoppedMinutes));
    emit displayChanged();
}

// The alarm sounds and brings the window forward as the other alarms do,
// once; it goes off without a sound.
void StationMonitor::FollowDataStopped(DataStoppedAlarm::Change change) {
    if (change == DataStoppedAlarm::Change::Fired) {
        if (config.FocusAlarm)
            notifications.BringForward();
        if (config.BeepAlarm)
            notifications.PlaySound(alarmSound);
    }
    ShowDataStopped();
    if (change != DataStoppedAlarm::Change::None)
        emit dataStoppedChanged(change == DataStoppedAlarm::Change::Fired);
}

void StationMonitor::ShowDataStopped() {
    const bool on = dataStopped.IsShown();
    model.minutesColour = on ? ReadingColour::Alarm : ReadingColour::Normal;
    model.dataStopped = on ? tr("Nessun dato da %1 da %2 min")
                                 .arg(config.StationCall)
                                 .arg(dataStopped.QuietMinutes())
                           : QString();
}

void StationMonitor::ClearData(const TranslatableText &caption) {
    captionSource = caption;
    model.caption = caption.Render();
    model.trayTip = model.caption;
    shown.trayTip = false;
    if (config.CallChanged.value_or(false)) {
        model.wind.text = QStringLiteral("Anemora v7");
        model.pressure.text.clear();
        model.temperature.text.clear();
        model.humidity.text.clear();
        model.rain.text.clear();
        shown.rain = false;
        portsSource.reset();
        model.compass.drawn = false;
        model.trends.fill(TrendMark::None);
        model.minutes = QStringLiteral("00");
        minutesSinceReport = 0;
        // The new station's quiet starts now.
        FollowDataStopped(dataStopped.ReportTaken());
        haveLastValues = false;
        model.rxRows.clear();
    }
    emit displayChanged();
}

} // namespace anemora

#include "moc_station_monitor.cpp"
