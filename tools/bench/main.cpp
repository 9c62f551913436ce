// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Times one stage of the station pipeline over every TNC2 line of a file:
//   parse   ParseWxReport on the information field
//   decode  StationMonitor::DecodeWxReport on it, into the display model
//   intake  StationMonitor::HandleAprsLine on the whole line, with a station
//           that sends none of the lines
//   stream  reading the file line by line, each information field made text
//           and decoded as in "decode": a whole program's work, for timing
//           the process beside another decoder
// and prints one line "MODE: N lines, X ns/line". The first three time only
// their loop over lines already read; "stream" times everything but start-up.
// A fifth mode, "show", times nothing: it decodes as "decode" does and prints
// what each line left on show and in the station's log, float values to the
// bit, so that two builds' results can be compared byte for byte.
#include "config/config_files.h"
#include "config/wx_config.h"
#include "history/station_log_row.h"
#include "monitor/station_monitor.h"
#include "platform/notifications.h"
#include "weather/wx_report.h"

#include <QDateTime>
#include <QFile>
#include <QList>
#include <QString>
#include <QStringView>

#include <bit>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string_view>

using namespace anemora;

namespace {

// The sounds and window effects of the program, done by nobody here.
class NoNotifications : public Notifications {
public:
    void PlaySound(const QString &) override {}
    void BringForward() override {}
    void RestartMinuteTimer() override {}
};

// The station of the demo feed: its notification options and thresholds are
// the program's own defaults, as on a first start.
const QString DecodedStation = QStringLiteral("Q1ABC-13");
// A call no packet of the bench file comes from; checked before timing.
const QString SilentStation = QStringLiteral("Q0ZZZ-15");

// Positions of one line's parts in the file.
struct Tnc2Cut {
    std::string_view line;
    std::string_view sourceCall;
    std::string_view payload;
};

// Lines without a TNC2 header (comments, blank lines) are not packets.
template <typename Visit> qsizetype ForEachTnc2Line(std::string_view bytes, Visit visit) {
    qsizetype count = 0;
    while (!bytes.empty()) {
        const std::size_t newline = bytes.find('\n');
        std::string_view line = bytes.substr(0, newline);
        bytes.remove_prefix(newline == std::string_view::npos ? bytes.size() : newline + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const std::size_t arrow = line.find('>');
        const std::size_t colon = arrow == std::string_view::npos ? arrow : line.find(':', arrow);
        if (colon == std::string_view::npos)
            continue;
        visit(Tnc2Cut{line, line.substr(0, arrow), line.substr(colon + 1)});
        ++count;
    }
    return count;
}

QString Text(std::string_view bytes) {
    return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
}

struct Tnc2Line {
    QString line;
    QString payload;
    QString sourceCall;
};

// Each parsed report is read back, so none is thrown away unseen.
volatile qint16 parsedDirection = 0;

template <typename Stage> double NanosecondsPerLine(const QList<Tnc2Line> &lines, Stage stage) {
    const auto start = std::chrono::steady_clock::now();
    for (const Tnc2Line &line : lines)
        stage(line);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    return std::chrono::duration<double, std::nano>(elapsed).count() / double(lines.size());
}

QString Bits(float value) {
    return QString::number(std::bit_cast<quint32>(value), 16);
}

QByteArray Shown(const StationMonitor &monitor) {
    const DisplayModel &model = monitor.model;
    QString text;
    for (const ReadingLabel *label :
         {&model.wind, &model.temperature, &model.humidity, &model.pressure, &model.rain})
        text += label->text + (label->colour == ReadingColour::Alarm ? u'!' : u' ') + u'|';
    text += model.comment + u'|' + model.trayTip + u'|';
    for (const TrendMark mark : model.trends)
        text += QString::number(int(mark));
    const CompassRequest &compass = model.compass;
    text += QString::asprintf("|%d %d ", compass.drawn, compass.direction);
    for (const float value :
         {compass.speed, compass.gust, monitor.lastTemperature, monitor.lastPressure})
        text += Bits(value) + u' ';
    return (text + u'\n').toUtf8();
}

} // namespace

int main(int argc, char *argv[]) {
    const std::string_view mode = argc == 3 ? argv[1] : "";
    if (mode != "parse" && mode != "decode" && mode != "intake" && mode != "stream" &&
        mode != "show") {
        std::fprintf(stderr, "usage: anemora_bench parse|decode|intake|stream|show FILE\n");
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    // Mapped, not read: lines are taken straight from the page cache.
    QFile file(QString::fromLocal8Bit(argv[2]));
    const uchar *mapped = file.open(QIODevice::ReadOnly) ? file.map(0, file.size()) : nullptr;
    const std::string_view bytes(reinterpret_cast<const char *>(mapped),
                                 mapped ? std::size_t(file.size()) : 0);

    WxConfig config;
    ApplyAlarmDefaults(config);
    config.StationCall = mode == "intake" ? SilentStation : DecodedStation;
    NoNotifications notifications;
    StationMonitor monitor(config, notifications, QStringLiteral("."));

    qsizetype count = 0;
    double nanoseconds = 0;
    if (mode == "show") {
        const QDateTime arrival = QDateTime::fromSecsSinceEpoch(0, Qt::UTC);
        count = ForEachTnc2Line(bytes, [&](const Tnc2Cut &cut) {
            const QString payload = Text(cut.payload);
            monitor.DecodeWxReport(payload);
            const QByteArray row =
                FormatLogLine(LogRowFromReport(arrival, DecodedStation, ParseWxReport(payload)));
            const QByteArray shown = Shown(monitor) + row;
            std::fwrite(shown.constData(), 1, std::size_t(shown.size()), stdout);
        });
        return count == 0 ? 1 : 0;
    }
    if (mode == "stream") {
        count = ForEachTnc2Line(
            bytes, [&](const Tnc2Cut &cut) { monitor.DecodeWxReport(Text(cut.payload)); });
        const auto elapsed = std::chrono::steady_clock::now() - start;
        nanoseconds = std::chrono::duration<double, std::nano>(elapsed).count() / double(count);
    } else {
        QList<Tnc2Line> lines;
        bool fromStation = false;
        count = ForEachTnc2Line(bytes, [&](const Tnc2Cut &cut) {
            lines.append({Text(cut.line), Text(cut.payload), Text(cut.sourceCall)});
            fromStation = fromStation || lines.last().sourceCall == SilentStation;
        });
        if (fromStation) {
            std::fprintf(stderr, "anemora_bench: %s sends a line of the file\n",
                         qPrintable(SilentStation));
            return 1;
        }
        if (mode == "parse") {
            nanoseconds = NanosecondsPerLine(lines, [&](const Tnc2Line &line) {
                parsedDirection = ParseWxReport(line.payload).WindDir;
            });
        } else if (mode == "decode") {
            nanoseconds = NanosecondsPerLine(
                lines, [&](const Tnc2Line &line) { monitor.DecodeWxReport(line.payload); });
        } else {
            nanoseconds = NanosecondsPerLine(
                lines, [&](const Tnc2Line &line) { monitor.HandleAprsLine(line.line); });
        }
    }
    if (count == 0) {
        std::fprintf(stderr, "anemora_bench: no TNC2 line read from %s\n", argv[2]);
        return 1;
    }
    std::printf("%s: %lld lines, %.0f ns/line\n", argv[1], static_cast<long long>(count),
                nanoseconds);
    return 0;
}
