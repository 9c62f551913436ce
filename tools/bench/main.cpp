// Times one stage of the station pipeline over every TNC2 line of a file:
//   parse   ParseWxReport on the information field
//   decode  StationMonitor::DecodeWxReport on it, into the display model
//   intake  StationMonitor::HandleAprsLine on the whole line, with a station
//           that sends none of the lines
// and prints one line "MODE: N lines, X ns/line". Only the loop is timed.
#include "config/config_files.h"
#include "config/wx_config.h"
#include "monitor/station_monitor.h"
#include "platform/notifications.h"
#include "weather/wx_report.h"

#include <QFile>
#include <QList>
#include <QString>

#include <chrono>
#include <cstdio>
#include <cstring>

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

struct Tnc2Line {
    QString line;
    QString payload;
    QString sourceCall;
};

// The whole file is made text once; each line's parts are views into it
// (QString::fromRawData), as a program reading a stream would not keep a
// copy of every line. Lines without a TNC2 header (comments, blank lines)
// are not packets.
QList<Tnc2Line> ReadTnc2Lines(const QString &text) {
    QList<Tnc2Line> lines;
    const auto part = [&text](qsizetype from, qsizetype size) {
        return QString::fromRawData(text.constData() + from, size);
    };
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = text.indexOf(u'\n', start);
        const qsizetype next = end < 0 ? text.size() : end + 1;
        if (end < 0)
            end = text.size();
        if (end > start && text[end - 1] == u'\r')
            --end;
        const QStringView line = QStringView(text).sliced(start, end - start);
        const qsizetype arrow = line.indexOf(u'>');
        const qsizetype colon = arrow < 0 ? -1 : line.indexOf(u':', arrow);
        if (colon >= 0)
            lines.append({part(start, line.size()),
                          part(start + colon + 1, line.size() - colon - 1), part(start, arrow)});
        start = next;
    }
    return lines;
}

// Each parsed report is read back, so none is thrown away unseen.
volatile qint16 parsedDirection = 0;

template <typename Stage> double NanosecondsPerLine(const QList<Tnc2Line> &lines, Stage stage) {
    const auto start = std::chrono::steady_clock::now();
    for (const Tnc2Line &line : lines)
        stage(line);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    return std::chrono::duration<double, std::nano>(elapsed).count() / double(lines.size());
}

} // namespace

int main(int argc, char *argv[]) {
    const char *mode = argc == 3 ? argv[1] : "";
    if (std::strcmp(mode, "parse") != 0 && std::strcmp(mode, "decode") != 0 &&
        std::strcmp(mode, "intake") != 0) {
        std::fprintf(stderr, "usage: anemora_bench parse|decode|intake FILE\n");
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[2]));
    const QString text =
        file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
    const QList<Tnc2Line> lines = ReadTnc2Lines(text);
    if (lines.isEmpty()) {
        std::fprintf(stderr, "anemora_bench: no TNC2 line read from %s\n", argv[2]);
        return 1;
    }

    WxConfig config;
    ApplyAlarmDefaults(config);
    NoNotifications notifications;
    StationMonitor monitor(config, notifications, QStringLiteral("."));
    double nanoseconds = 0;
    if (std::strcmp(mode, "parse") == 0) {
        nanoseconds = NanosecondsPerLine(lines, [&](const Tnc2Line &line) {
            parsedDirection = ParseWxReport(line.payload).WindDir;
        });
    } else if (std::strcmp(mode, "decode") == 0) {
        config.StationCall = DecodedStation;
        nanoseconds = NanosecondsPerLine(
            lines, [&](const Tnc2Line &line) { monitor.DecodeWxReport(line.payload); });
    } else {
        config.StationCall = SilentStation;
        for (const Tnc2Line &line : lines) {
            if (line.sourceCall == SilentStation) {
                std::fprintf(stderr, "anemora_bench: %s sends a line of the file\n",
                             qPrintable(SilentStation));
                return 1;
            }
        }
        nanoseconds = NanosecondsPerLine(
            lines, [&](const Tnc2Line &line) { monitor.HandleAprsLine(line.line); });
    }
    std::printf("%s: %lld lines, %.0f ns/line\n", mode, static_cast<long long>(lines.size()),
                nanoseconds);
    return 0;
}
