#include "config/config_files.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <csignal>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace anemora;

namespace {

constexpr int Kills = 50;
// Hosts this long make each write last long enough to be cut in the middle.
constexpr qsizetype HostLength = 4 * 1024 * 1024;

// In the writer process a failed write must not pass unseen: it ends the
// process with a code the parent tells from the kill.
class ExitOnMessage : public Prompts {
public:
    void ShowMessage(MessageIcon, const QString &, const QString &) override { _exit(3); }
    bool IsSettingsDialogVisible() override { return false; }
    void ShowSettingsDialogModal() override {}
};

WxConfig Settings(const QString &call, char hostFill, qint16 port, bool enabled) {
    WxConfig config;
    config.StationCall = call;
    config.AgwHost = QStringLiteral("localhost");
    config.AgwPort = port;
    config.AgwEnabled = enabled;
    config.AprsHost = QString(HostLength, QChar::fromLatin1(hostFill));
    config.AprsPort = static_cast<qint16>(port + 1);
    config.ServerIndex = static_cast<qint16>(port % 7);
    config.AprsEnabled = !enabled;
    return config;
}

// Writes `first` and `second` by turns until killed; one byte on `ready`
// says the first write is about to start.
[[noreturn]] void RunWriter(const WxConfig &first, const WxConfig &second, const QString &path,
                            int ready) {
    ExitOnMessage prompts;
    if (write(ready, "w", 1) != 1)
        _exit(4);
    for (;;) {
        WriteParams(first, path, prompts);
        WriteParams(second, path, prompts);
    }
}

} // namespace

class TestSettingsCrash : public QObject {
    Q_OBJECT
private slots:
    void killedWriterLeavesWholeFile_data();
    void killedWriterLeavesWholeFile();
};

void TestSettingsCrash::killedWriterLeavesWholeFile_data() {
    QTest::addColumn<bool>("fileBefore");
    QTest::newRow("earlier file replaced") << true;
    QTest::newRow("first write of all") << false;
}

void TestSettingsCrash::killedWriterLeavesWholeFile() {
    QFETCH(bool, fileBefore);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Params.ini"));
    const WxConfig oldSettings = Settings(QStringLiteral("Q1OLD-1"), 'o', 8000, true);
    const WxConfig newSettings = Settings(QStringLiteral("Q1NEW-12"), 'n', 8100, false);
    const QByteArray oldBytes = ParamsText(oldSettings).toLatin1();
    const QByteArray newBytes = ParamsText(newSettings).toLatin1();

    // How long one whole write takes here, to spread the kills over a few.
    ExitOnMessage prompts;
    QElapsedTimer timer;
    timer.start();
    WriteParams(newSettings, path, prompts);
    const qint64 writeNs = timer.nsecsElapsed();

    QSet<QByteArray> seen;
    for (int i = 0; i < Kills; ++i) {
        QFile::remove(path);
        if (fileBefore)
            WriteParams(oldSettings, path, prompts);
        int ready[2];
        QCOMPARE(pipe(ready), 0);
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            close(ready[0]);
            RunWriter(newSettings, oldSettings, path, ready[1]);
        }
        close(ready[1]);
        char byte = 0;
        const bool started = read(ready[0], &byte, 1) == 1;
        close(ready[0]);
        // Varied moments over three writes, not in rising order.
        const qint64 delayNs = writeNs * 3 * ((i * 37) % Kills) / Kills;
        std::this_thread::sleep_for(std::chrono::nanoseconds(delayNs));
        kill(child, SIGKILL);
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(started);
        QVERIFY2(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL,
                 "the writer ended before it was killed");

        QFile file(path);
        if (!file.exists()) {
            QVERIFY(!fileBefore);
            seen.insert(QByteArray());
            continue;
        }
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY2(bytes == oldBytes || bytes == newBytes,
                 qPrintable(QStringLiteral("kill %1 left %2 bytes").arg(i).arg(bytes.size())));
        seen.insert(bytes);
        WxConfig read;
        ReadParams(read, path);
        QCOMPARE(ParamsText(read), QString::fromLatin1(bytes));
    }
    // The kills fell at different points of the writer's work, not all
    // before or all after the same write.
    QVERIFY(seen.size() >= 2);
}

QTEST_GUILESS_MAIN(TestSettingsCrash)
#include "tst_settings_crash.moc"
