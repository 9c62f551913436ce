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

// Lines without a TNC2 header (comments, blank lines) are not packets.
QList<Tnc2Line> ReadTnc2Lines(const char *path, bool &ok) {
    QFile file(QString::fromLocal8Bit(path));
    ok = file.open(QIODevice::ReadOnly);
    QList<Tnc2Line> lines;
    if (!ok)
        return lines;
    const QList<QByteArray> rows = file.readAll().split('\n');
    for (const QByteArray &row : rows) {
        const QString line = QString::fromLatin1(row).chopped(row.endsWith('\r') ? 1 : 0);
        const qsizetype arrow = line.indexOf(u'>');
        const qsizetype colon = arrow < 0 ? -1 : line.indexOf(u':', arrow);
        if (colon < 0)
            continue;
        lines.append({line, line.mid(colon + 1), line.left(arrow)});
    }
    return lines;
}

template <typename Stage>
double NanosecondsPerLine(const QList<Tnc2Line> &lines, Stage stage) {
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
    bool ok = false;
    const QList<Tnc2Line> lines = ReadTnc2Lines(argv[2], ok);
    if (!ok || lines.isEmpty()) {
        std::fprintf(stderr, "anemora_bench: no TNC2 line read from %s\n", argv[2]);
        return 1;
    }

    WxConfig config;
    ApplyAlarmDefaults(config);
    NoNotifications notifications;
    StationMonitor monitor(config, notifications, QStringLiteral("."));
    double nanoseconds = 0;
    if (std::strcmp(mode, "parse") == 0) {
        // Each report is read back, so none is thrown away unseen.
        static volatile qint16 direction = 0;
        nanoseconds = NanosecondsPerLine(
            lines, [&](const Tnc2Line &line) { direction = ParseWxReport(line.payload).WindDir; });
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
