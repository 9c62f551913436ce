// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "aprs_replay/replay_server.h"
#include "common/broker.h"
#include "common/files.h"
#include "common/loopback.h"
#include "config/config_files.h"
#include "publish/mqtt_messages.h"

#include <QDir>
#include <QSocketNotifier>
#include <QTest>

#include <csignal>
#include <memory>

#include <sys/socket.h>
#include <sys/un.h>

using namespace anemora;

namespace {

// The socket systemd listens on for sd_notify's datagrams.
struct NotifySocket {
    int fd = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    std::unique_ptr<QSocketNotifier> notifier;
    QStringList messages;

    bool Bind(const QString &path) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, path.toLocal8Bit().constData(), sizeof address.sun_path);
        if (bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0)
            return false;
        notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        QObject::connect(notifier.get(), &QSocketNotifier::activated, [this] {
            char buffer[4096];
            const ssize_t size = recv(fd, buffer, sizeof buffer, 0);
            if (size > 0)
                messages += QString::fromUtf8(buffer, size).split('\n');
        });
        return true;
    }
    ~NotifySocket() { close(fd); }
};

} // namespace

// The built service as systemd runs it, with no arguments: its settings and
// log in the folders systemd names, the replay server as its APRS-IS server
// and a real broker.
class TestAnemorad : public QObject {
    Q_OBJECT

    test::Broker broker;
    test::Subscriber subscriber;
    QTemporaryDir dir;
    QString settings = dir.filePath("etc");
    QString logs = dir.filePath("state");
    quint16 aprsPort = test::FreePortBelow32768();
    QList<FeedLine> feed;
    std::unique_ptr<ReplayServer> server;
    NotifySocket notify;
    QProcess service;
    QByteArray journal;

    void StartReplay() {
        ReplayOptions options;
        options.loop = true;
        options.speed = 10;
        server = std::make_unique<ReplayServer>(feed, options);
        QVERIFY(server->Listen(aprsPort));
    }
    void WriteParams(const QString &call, bool aprsEnabled = true) {
        WxConfig config;
        config.StationCall = call;
        config.AprsHost = QStringLiteral("127.0.0.1");
        config.AprsPort = qint16(aprsPort);
        config.AprsEnabled = aprsEnabled;
        test::WriteBytes(QDir(settings).filePath("Params.ini"), ParamsText(config).toLatin1());
    }
    // The rows the station's log holds, over every month.
    int LoggedRows(const QString &call) {
        int rows = 0;
        for (const QString &name : QDir(logs).entryList({call + "_*.csv"}))
            rows += int(test::ReadBytes(QDir(logs).filePath(name)).count('\n')) - 1;
        return rows;
    }
    QByteArray Journal() { return journal += service.readAllStandardError(); }
    // The settings folder, every file with its bytes.
    QMap<QString, QByteArray> SettingsFiles() {
        QMap<QString, QByteArray> files;
        for (const QString &name : QDir(settings).entryList(QDir::Files))
            files[name] = test::ReadBytes(QDir(settings).filePath(name));
        return files;
    }

private slots:
    void initTestCase() {
        const auto parsed = ParseFeed(QString::fromUtf8(test::ReadBytes(ANEMORA_DEMO_FEED)));
        QVERIFY(parsed.lines);
        feed = *parsed.lines;
        QVERIFY(broker.Start());
        QVERIFY(subscriber.Start(broker.port));
        StartReplay();
        QVERIFY(QDir().mkpath(settings));
        WriteParams("Q1ABC-13");
        test::WriteBytes(
            QDir(settings).filePath("Anemora.ini"),
            "[Mqtt]\nEnabled=true\nHost=127.0.0.1\nPort=" + QByteArray::number(broker.port) + '\n');
        QVERIFY(notify.Bind(dir.filePath("notify")));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("CONFIGURATION_DIRECTORY", settings);
        environment.insert("STATE_DIRECTORY", logs);
        environment.insert("NOTIFY_SOCKET", dir.filePath("notify"));
        environment.insert("WATCHDOG_USEC", "400000");
        service.setProcessEnvironment(environment);
        // The watchdog is the service's own only with its process number.
        // Another build's program may be named in the environment, such as
        // a cross build's run through its emulator.
        service.start("sh", {"-c", "WATCHDOG_PID=$$ exec \"$0\"",
                             qEnvironmentVariable("ANEMORAD_PROGRAM", ANEMORAD_PROGRAM)});
        QVERIFY(service.waitForStarted());
    }

    void readyThenWatchdog() {
        QTRY_VERIFY_WITH_TIMEOUT(notify.messages.contains("READY=1"), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(
            notify.messages.indexOf("WATCHDOG=1", notify.messages.indexOf("READY=1")) > 0, 20000);
    }

    void logsAndPublishesTheStation() {
        QTRY_VERIFY_WITH_TIMEOUT(LoggedRows("Q1ABC-13") > 0, 20000);
        QTRY_COMPARE_WITH_TIMEOUT(subscriber.Latest(AvailabilityTopic("Q1ABC-13")), "online",
                                  20000);
        QTRY_VERIFY_WITH_TIMEOUT(!subscriber.Latest(StateTopic("Q1ABC-13")).isEmpty(), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(Journal().contains("<6>Primo rapporto di Q1ABC-13"), 20000);
        QTRY_VERIFY(!notify.messages.filter("STATUS=Q1ABC-13: APRS-IS connesso, ultimo rapporto ")
                         .isEmpty());
    }

    // The next report of the station is taken once a minute has passed.
    void reconnectsByItself() {
        const int before = LoggedRows("Q1ABC-13");
        server.reset();
        QTRY_VERIFY_WITH_TIMEOUT(Journal().contains("<4>APRS-IS: "), 20000);
        StartReplay();
        QTRY_VERIFY_WITH_TIMEOUT(LoggedRows("Q1ABC-13") > before, 200000);
    }

    // Each new error once, with its priority, then word that it works again.
    void brokerTroubleToldOnce() {
        broker.Stop();
        QTRY_VERIFY_WITH_TIMEOUT(Journal().contains("<4>MQTT 127.0.0.1:"), 20000);
        // Time for the next attempt, which fails the same way.
        QTest::qWait(3000);
        QVERIFY(broker.Start());
        QVERIFY(subscriber.Start(broker.port));
        QTRY_VERIFY_WITH_TIMEOUT(Journal().contains("<5>MQTT: pubblicazione ripresa"), 20000);
        QCOMPARE(Journal().count(": connessione non riuscita ("), 1);
    }

    // Unchanged settings keep the link's connection; a new call needs a new
    // login.
    void hangupAppliesANewCall() {
        const qsizetype connections = Journal().count("<5>APRS-IS: connesso a");
        QCOMPARE(kill(pid_t(service.processId()), SIGHUP), 0);
        QTRY_VERIFY_WITH_TIMEOUT(Journal().contains("<5>Rilettura delle impostazioni"), 20000);
        WriteParams("Q1ABC-1");
        QCOMPARE(kill(pid_t(service.processId()), SIGHUP), 0);
        QTRY_VERIFY_WITH_TIMEOUT(LoggedRows("Q1ABC-1") > 0, 60000);
        QTRY_VERIFY_WITH_TIMEOUT(!subscriber.Latest(StateTopic("Q1ABC-1")).isEmpty(), 20000);
        QCOMPARE(Journal().count("<5>APRS-IS: connesso a"), connections + 1);
    }

    // A link switched off closes, and nothing is monitored until the
    // settings open one again.
    void hangupSwitchesTheLinkOff() {
        WriteParams("Q1ABC-1", false);
        QCOMPARE(kill(pid_t(service.processId()), SIGHUP), 0);
        QTRY_VERIFY_WITH_TIMEOUT(
            notify.messages.filter("STATUS=").last().startsWith("STATUS=Q1ABC-1: ultimo rapporto"),
            20000);
        QTRY_VERIFY(Journal().contains("<3>Le impostazioni non indicano"));
    }

    void terminationEndsCleanlyAndWritesNoSetting() {
        const QMap<QString, QByteArray> before = SettingsFiles();
        service.terminate();
        QVERIFY(service.waitForFinished(20000));
        QCOMPARE(service.exitStatus(), QProcess::NormalExit);
        QCOMPARE(service.exitCode(), 0);
        QTRY_COMPARE(subscriber.Latest(AvailabilityTopic("Q1ABC-1")), "offline");
        QCOMPARE(SettingsFiles(), before);
        QCOMPARE(SettingsFiles().keys(), QStringList({"Anemora.ini", "Params.ini"}));
        // One line per event, each with its priority, none per report.
        const QList<QByteArray> lines = Journal().trimmed().split('\n');
        for (const QByteArray &line : lines)
            QVERIFY2(QRegularExpression("^<[3-6]>").match(QString::fromUtf8(line)).hasMatch(),
                     line.constData());
        QVERIFY(lines.size() < 20);
        // In the language Anemora.ini chooses, Italian when it names none.
        QVERIFY(lines.first().startsWith("<5>Avvio: impostazioni in "));
        QVERIFY(lines.last().startsWith("<5>Fermato"));
    }
};

QTEST_GUILESS_MAIN(TestAnemorad)
#include "tst_anemorad.moc"
