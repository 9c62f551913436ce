#include "weather/station_monitor.h"

#include "weather/wx_display.h"
#include "weather/wx_report.h"

#include <QDir>
#include <QFileInfo>

namespace anemora {

namespace {

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

// Shows a reading with its trend since the previous report, then keeps it
// for the next one.
template <typename Value>
void showReading(ReadingLabel &label, TrendMark &trend, ReadingColour colour, const QString &text,
                 Value value, Value &last, bool haveLast) {
    label.colour = colour;
    label.text = text;
    trend = haveLast ? TrendOf(float(value - last)) : TrendMark::None;
    last = value;
}

} // namespace

void StationMonitor::DecodeWxReport(const QString &payload) {
    ReportNotices notices;
    notices.BringForward = config.FocusNewData;

    model.lblElapsed = QStringLiteral("00");
    MinutesSinceReport = 0;

    WxReport wx = ParseWxReport(payload);
    if (wx.WindValid) {
        notifications.RestartElapsedTimer();
        AcceptNextReport = false;
        notices.PlayNewData = config.BeepNewData;
    }

    model.lblWxData.colour = ReadingColour::Normal;
    if (wx.WindDir > -99) {
        model.compass = {true, wx.WindDir, wx.WindSpeed, wx.Gust};
        if (IsCalm(wx.WindSpeed, wx.Gust)) {
            model.lblWxData.text = QStringLiteral("Calma di vento");
        } else {
            model.lblWxData.colour = notices.test(config, WindAlarm(config, wx.WindSpeed, wx.Gust));
            model.lblWxData.text = WindText(wx.WindDir, wx.WindSpeed, wx.Gust);
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
        showReading(model.lblTemp, model.picVar[0],
                    notices.test(config, TempAlarm(config, wx.Temp)), TempText(wx.Temp), wx.Temp,
                    LastTemp, HaveLastValues);
    if (wx.Humidity > 0)
        showReading(model.lblUR, model.picVar[1],
                    notices.test(config, HumidityAlarm(config, wx.Humidity)),
                    HumidityText(wx.Humidity), wx.Humidity, LastHum, HaveLastValues);
    if (wx.Pressure > 0)
        showReading(model.lblPress, model.picVar[2],
                    notices.test(config, PressureAlarm(config, wx.Pressure)),
                    PressureText(wx.Pressure), wx.Pressure, LastPress, HaveLastValues);

    model.lblRain.colour = notices.test(config, RainAlarm(config, wx.RainHour, wx.Rain24));
    const QString rainText = RainText(wx, windChill, humidity);
    model.rainFontPointSize = RainFontPointSize(rainText);
    model.lblRain.text = rainText;

    if (notices.BringForward)
        notifications.BringForward();
    const QDir folder(appDir);
    if (notices.PlayAlarm) {
        notifications.PlaySound(folder.filePath(QStringLiteral("Alarm.wav")));
    } else if (notices.PlayNewData) {
        const QString own = StationSoundName(config.StationCall);
        const QString ownPath = own.isEmpty() ? QString() : folder.filePath(own);
        const bool haveOwn = !ownPath.isEmpty() && QFileInfo(ownPath).isFile();
        notifications.PlaySound(haveOwn ? ownPath : folder.filePath(QStringLiteral("NewData.wav")));
    }

    HaveLastValues = true;
    model.trayTip = TrayTip(config.StationCall, model, rainText);
    model.lblWxComment = CommentText(wx.PressChange, wx.Remainder);
    emit displayChanged();
}

void StationMonitor::ElapsedTick() {
    AcceptNextReport = true;
    if (MinutesSinceReport < 99)
        ++MinutesSinceReport;
    model.lblElapsed = QStringLiteral("%1").arg(MinutesSinceReport, 2, 10, QChar(u'0'));
    emit displayChanged();
}

void StationMonitor::ClearData(const QString &strCaption) {
    model.caption = strCaption;
    model.trayTip = strCaption;
    if (config.CallChanged.value_or(false)) {
        model.lblWxData.text = QStringLiteral("Anemora v7");
        model.lblPress.text.clear();
        model.lblTemp.text.clear();
        model.lblUR.text.clear();
        model.lblRain.text.clear();
        model.compass.drawn = false;
        model.picVar.fill(TrendMark::None);
        model.lblElapsed = QStringLiteral("00");
        MinutesSinceReport = 0;
        HaveLastValues = false;
        model.List2.clear();
    }
    emit displayChanged();
}

} // namespace anemora
