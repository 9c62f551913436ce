// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "config/config_files.h"

#include "common/fakes.h"
#include "common/files.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <csignal>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace anemora;

namespace {

constexpr int Kills = 10;
// Hosts this long make each write last long enough to be cut in the middle.
constexpr qsizetype HostLength = 4 * 1024 * 1024;

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

// Where the writer is when it is killed: waiting to write, somewhere inside
// the write, or done with it.
enum class KillPoint { BeforeWrite, DuringWrite, AfterWrite };

// Reports 'b' on `report` and waits for a byte on `go`, writes the file,
// reports 'a' and waits to be killed.
[[noreturn]] void RunWriter(const WxConfig &settings, const QString &path, int report, int go) {
    // A failed write must not pass unseen: it ends the process with a code
    // the parent tells from the kill.
    test::FakePrompts prompts;
    prompts.whileMessageShown = [] { _exit(3); };
    char byte = 0;
    if (write(report, "b", 1) != 1 || read(go, &byte, 1) != 1)
        _exit(4);
    WriteParams(settings, path, prompts);
    if (write(report, "a", 1) != 1)
        _exit(4);
    for (;;)
        pause();
}

bool ReadByte(int fd, char expected) {
    char byte = 0;
    return read(fd, &byte, 1) == 1 && byte == expected;
}

// True once the write's temporary file is in `dir` or the writer says it is
// done, so that the kill that follows is aimed inside the write.
bool WriteStarted(const QDir &dir, int report) {
    if (dir.entryList(QDir::Files).size() > 1)
        return true;
    pollfd poll{report, POLLIN, 0};
    return ::poll(&poll, 1, 0) == 1;
}

} // namespace

class TestSettingsCrash : public QObject {
    Q_OBJECT
private slots:
    void killedWriterLeavesWholeFile_data() {
        QTest::addColumn<bool>("fileBefore");
        QTest::addColumn<KillPoint>("killPoint");
        // clang-format off
        QTest::newRow("earlier file, killed before the write") << true << KillPoint::BeforeWrite;
        QTest::newRow("earlier file, killed inside the write") << true << KillPoint::DuringWrite;
        QTest::newRow("earlier file, killed after the write") << true << KillPoint::AfterWrite;
        QTest::newRow("first write, killed before it") << false << KillPoint::BeforeWrite;
        QTest::newRow("first write, killed inside it") << false << KillPoint::DuringWrite;
        QTest::newRow("first write, killed after it") << false << KillPoint::AfterWrite;
        // clang-format on
    }
    void killedWriterLeavesWholeFile() {
        QFETCH(bool, fileBefore);
        QFETCH(KillPoint, killPoint);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("Params.ini"));
        const WxConfig oldSettings = Settings(QStringLiteral("Q1OLD-1"), 'o', 8000, true);
        const WxConfig newSettings = Settings(QStringLiteral("Q1NEW-12"), 'n', 8100, false);
        const QByteArray oldBytes = fileBefore ? ParamsText(oldSettings).toLatin1() : QByteArray();
        const QByteArray newBytes = ParamsText(newSettings).toLatin1();

        // How long one whole write takes here, to spread the kills inside one.
        // A failed write must not pass unseen: it ends the process with a code
        // the parent tells from the kill.
        test::FakePrompts prompts;
        prompts.whileMessageShown = [] { _exit(3); };
        QElapsedTimer timer;
        timer.start();
        WriteParams(newSettings, path, prompts);
        const qint64 writeNs = timer.nsecsElapsed();

        for (int i = 0; i < Kills; ++i) {
            QDir(dir.path()).removeRecursively();
            QVERIFY(QDir().mkpath(dir.path()));
            if (fileBefore)
                WriteParams(oldSettings, path, prompts);
            int report[2];
            int go[2];
            QCOMPARE(pipe(report), 0);
            QCOMPARE(pipe(go), 0);
            const pid_t child = fork();
            QVERIFY(child >= 0);
            if (child == 0) {
                close(report[0]);
                close(go[1]);
                RunWriter(newSettings, path, report[1], go[0]);
            }
            close(report[1]);
            close(go[0]);
            const bool waiting = ReadByte(report[0], 'b');
            if (killPoint != KillPoint::BeforeWrite)
                QCOMPARE(write(go[1], "g", 1), 1);
            if (killPoint == KillPoint::DuringWrite) {
                while (!WriteStarted(QDir(dir.path()), report[0])) {
                }
                // Varied moments over one write, not in rising order.
                std::this_thread::sleep_for(
                    std::chrono::nanoseconds(writeNs * ((i * 37) % Kills) / Kills));
            }
            const bool done = killPoint != KillPoint::AfterWrite || ReadByte(report[0], 'a');
            kill(child, SIGKILL);
            int status = 0;
            QCOMPARE(waitpid(child, &status, 0), child);
            close(report[0]);
            close(go[1]);
            QVERIFY(waiting);
            QVERIFY(done);
            QVERIFY2(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL,
                     "the writer ended before it was killed");

            // An absent file reads as empty bytes, which is the "old" content of
            // a first write.
            const QByteArray bytes = test::ReadBytes(path);
            switch (killPoint) {
            case KillPoint::BeforeWrite:
                QCOMPARE(bytes, oldBytes);
                break;
            case KillPoint::AfterWrite:
                QCOMPARE(bytes, newBytes);
                break;
            case KillPoint::DuringWrite:
                QVERIFY2(
                    bytes == oldBytes || bytes == newBytes,
                    qPrintable(QStringLiteral("kill %1 left %2 bytes").arg(i).arg(bytes.size())));
                break;
            }
            if (bytes.isEmpty()) {
                QVERIFY(!QFile::exists(path));
                continue;
            }
            WxConfig read;
            ReadParams(read, path);
            QCOMPARE(ParamsText(read), QString::fromLatin1(bytes));
        }
    }
};

QTEST_GUILESS_MAIN(TestSettingsCrash)
#include "tst_settings_crash.moc"
