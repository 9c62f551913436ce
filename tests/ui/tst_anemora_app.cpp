// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/anemora_app.h"
#include "ui/compass_view.h"

#include "common/files.h"
#include "common/loopback.h"
#include "common/settings.h"
#include "common/shown_text.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMetaMethod>
#include <QPushButton>
#include <QRegularExpression>
#include <QSessionManager>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

using namespace anemora;
using namespace anemora::test;

namespace {

const QByteArray Report =
    "Q1ABC-13>APN000,TCPIP*,qAC,T2TEST:_12071201c212s004g007t048r000p002P001h76b10132\r\n";

// Causes of an end besides the signals.
constexpr int SessionEnds = -1;
constexpr int SessionSaved = -2;

} // namespace

class TestAnemoraApp : public QObject {
    Q_OBJECT
private slots:
    void init() {
        startDir = QDir::currentPath();
        appDir = std::make_unique<QTemporaryDir>();
        QVERIFY(appDir->isValid());
        server = std::make_unique<LoopbackServer>();
        QVERIFY(server->Listen());
        login.clear();
        reply = Report;
        connect(&server->tcp, &QTcpServer::newConnection, this, [this] {
            QTcpSocket *client = server->tcp.nextPendingConnection();
            connect(client, &QTcpSocket::readyRead, client, [this, client] {
                login += client->readAll();
                if (login.endsWith('\n')) {
                    client->write(reply);
                }
            });
        });
        program = std::make_unique<AnemoraApp>(appDir->path(), appDir->path(), appDir->path());
    }

    void cleanup() {
        QDir::setCurrent(startDir);
        program.reset();
        server.reset();
        appDir.reset();
    }

    void reportReachesTheWindow() {
        StartWithServer();
        QTRY_COMPARE(program->window.windowTitle(), TestStation + QStringLiteral(" Wx Station"));
        QTRY_VERIFY(program->window.windLabel->text().startsWith(QStringLiteral("212°")));
        QVERIFY(login.contains("filter p/" + TestStation.toLatin1()));
        QVERIFY(program->window.compassView->Request().drawn);
        QCOMPARE(program->window.compassView->Request().direction, qint16(212));
        QVERIFY(!program->window.temperatureLabel->text().isEmpty());
        QVERIFY(program->window.pressureLabel->text().endsWith(QStringLiteral(" mb")));
        QVERIFY(ShownToolTip(program->window.trayIcon.toolTip())
                    .startsWith(TestStation + QStringLiteral(" 212°")));
    }

    void closingTheWindowShutsDown() {
        StartWithServer();
        QTRY_VERIFY(!program->links.IsAprsLinkClosed());
        program->window.close();
        QVERIFY(program->links.IsAprsLinkClosed());
        // A command-line start keeps the stored settings as they were.
        QVERIFY(!QFile::exists(QDir(appDir->path()).filePath(QStringLiteral("Params.ini"))));
    }

    void rightClickOpensOneSettingsDialog() {
        StartWithServer();
        for (int i = 0; i < 2; ++i) {
            const QPointF at(3, 3);
            QMouseEvent press(QEvent::MouseButtonPress, at,
                              program->window.windLabel->mapToGlobal(at), Qt::RightButton,
                              Qt::RightButton, Qt::NoModifier);
            QApplication::sendEvent(program->window.windLabel, &press);
        }
        QVERIFY(program->prompts.IsSettingsDialogVisible());
        int dialogs = 0;
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            dialogs += widget->isVisible() && widget->inherits("anemora::SettingsDialog") ? 1 : 0;
        }
        QCOMPARE(dialogs, 1);
        program->prompts.CurrentDialog()->close();
    }

    // With no broker there, monitoring goes on, the dialog tells why, and the
    // end of monitoring ends publishing.
    void publishingLastsAsLongAsMonitoring() {
        const quint16 noBroker = FreePortBelow32768();
        WriteBytes(SettingsPath(QStringLiteral("Anemora.ini")),
                   "[Mqtt]\nEnabled=true\nHost=127.0.0.1\nPort=" + QByteArray::number(noBroker));
        StartWithServer();
        QTRY_VERIFY(program->publisher.lastError().contains(QStringLiteral("non riuscita")));
        QTRY_VERIFY(program->window.windLabel->text().startsWith(QStringLiteral("212°")));
        program->prompts.ShowSettingsDialog();
        QCOMPARE(program->prompts.CurrentDialog()->mqttStatusLabel->text(),
                 program->publisher.lastError());
        // A password Anemora.ini cannot keep from others stays out of it, and
        // the dialog tells that first.
        program->startup.setPermissions = [](const QString &, QFileDevice::Permissions) {
            return false;
        };
        QVERIFY(chmod(qPrintable(SettingsPath(QStringLiteral("Anemora.ini"))), 0644) == 0);
        program->prompts.CurrentDialog()->mqttPasswordEdit->setText(QStringLiteral("s3cret"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Password MQTT non salvata"));
        program->prompts.CurrentDialog()->acceptButton->click();
        QTRY_VERIFY(!program->prompts.CurrentDialog());
        program->prompts.ShowSettingsDialog();
        QCOMPARE(program->prompts.CurrentDialog()->mqttStatusLabel->text(),
                 program->config.MqttPasswordWarning + '\n' + program->publisher.StatusText());
        program->prompts.CurrentDialog()->close();
        program->window.close();
        QCOMPARE(program->publisher.status(), MqttPublisher::Status::Off);
    }

    void helpKeyOpensTheGuide() {
        // The guide is looked up in the current directory first.
        const QString guide = QStringLiteral(ANEMORA_TEST_DATA_DIR "/../../resources/Leggimi.rtf");
        QVERIFY(QFile::copy(guide, QDir(appDir->path()).filePath(QStringLiteral("Leggimi.rtf"))));
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(appDir->path()));
        StartWithServer();
        QVERIFY(QTest::qWaitForWindowExposed(&program->window));
        QTest::keyClick(&program->window, Qt::Key_F1);
        QDir::setCurrent(previous);
        QTRY_VERIFY(program->viewer.isVisible());
        QCOMPARE(program->viewer.windowTitle(), QStringLiteral(" Anemora - Istruzioni"));
    }

    void endsWhenTheLastWindowCloses_data() {
        QTest::addColumn<QStringList>("steps");
        // clang-format off
        QTest::newRow("main, viewer, dialog") << QStringList{"main", "viewer", "dialog"};
        QTest::newRow("viewer, main, dialog") << QStringList{"viewer", "main", "dialog"};
        QTest::newRow("dialog, viewer, main") << QStringList{"dialog", "viewer", "main"};
        QTest::newRow("main, dialog, viewer") << QStringList{"main", "dialog", "viewer"};
        QTest::newRow("viewer then dialog with the main window in the tray") << QStringList{"tray", "viewer", "dialog", "restore", "main"};
        QTest::newRow("dialog then viewer with the main window in the tray") << QStringList{"tray", "dialog", "viewer", "restore", "main"};
        QTest::newRow("trend window last, main window in the tray") << QStringList{"trend", "tray", "viewer", "dialog", "restore", "main", "trend"};
        // clang-format on
    }

    // The program ends only when its last window closes, a main window in the
    // tray counts as open, and closing the main window closes no other window.
    void endsWhenTheLastWindowCloses() {
        QFETCH(QStringList, steps);
        const QString guide = QStringLiteral(ANEMORA_TEST_DATA_DIR "/../../resources/Leggimi.rtf");
        QVERIFY(QFile::copy(guide, SettingsPath(QStringLiteral("Leggimi.rtf"))));
        StartFromParams();
        program->window.trayAvailable = true;
        // The viewer reads the guide from the current folder at each activation.
        QVERIFY(QDir::setCurrent(appDir->path()));
        program->viewer.Open(QStringLiteral("Leggimi.rtf"), QStringLiteral("Anemora - Istruzioni"));
        program->prompts.ShowSettingsDialog();
        if (steps.contains(QLatin1String("trend"))) {
            QTest::keyClick(&program->window, Qt::Key_F2);
            QVERIFY(program->trendWindow.isVisible());
        }
        QVERIFY(program->viewer.isVisible());
        QVERIFY(program->prompts.IsSettingsDialogVisible());
        QSignalSpy shutDown(program.get(), &AnemoraApp::shutDown);
        QSignalSpy ended(program.get(), &AnemoraApp::ended);

        bool mainClosed = false;
        bool trendOpened = false;
        for (const QString &step : steps) {
            if (step == QLatin1String("trend") && !trendOpened) {
                trendOpened = true;
                continue;
            }
            if (step == QLatin1String("tray")) {
                program->window.showMinimized();
                QTRY_VERIFY(program->window.isHidden());
            } else if (step == QLatin1String("restore")) {
                program->window.RestoreFromTray();
            } else if (step == QLatin1String("main")) {
                program->window.close();
                mainClosed = true;
            } else if (step == QLatin1String("trend")) {
                program->trendWindow.close();
            } else if (step == QLatin1String("viewer")) {
                program->viewer.close();
            } else {
                program->prompts.CurrentDialog()->close();
            }
            QTest::qWait(10);
            QCOMPARE(shutDown.size(), mainClosed ? 1 : 0);
            QCOMPARE(ended.size(), step == steps.last() ? 1 : 0);
        }
        QVERIFY(program->links.IsAprsLinkClosed());
        QVERIFY(QFile::exists(SettingsPath(QStringLiteral("Params.ini"))));
    }

    void terminationSignalEndsInOrder_data() {
        QTest::addColumn<int>("cause");
        QTest::addColumn<bool>("ends");
        // clang-format off
        QTest::newRow("service manager stops it") << SIGTERM << true;
        QTest::newRow("Ctrl-C") << SIGINT << true;
        QTest::newRow("terminal closed") << SIGHUP << true;
        QTest::newRow("the session ends") << SessionEnds << true;
        QTest::newRow("save session, or a logout later cancelled: saved, still running") << SessionSaved << false;
        // clang-format on
    }

    // Settings are saved whatever asks; only a signal or the session's end ends
    // the program, with shutdown run once.
    void terminationSignalEndsInOrder() {
        QFETCH(int, cause);
        QFETCH(bool, ends);
        StartFromParams();
        QTRY_VERIFY(!program->links.IsAprsLinkClosed());
        QVERIFY(QFile::remove(SettingsPath(QStringLiteral("Params.ini"))));
        QSignalSpy shutDown(program.get(), &AnemoraApp::shutDown);
        QSignalSpy ended(program.get(), &AnemoraApp::ended);
        if (cause == SessionEnds) {
            QVERIFY(QMetaMethod::fromSignal(&QCoreApplication::aboutToQuit).invoke(qApp));
        } else if (cause == SessionSaved) {
            // Qt offers no way to make a session manager; the program never reads it.
            alignas(QSessionManager) unsigned char manager[sizeof(QSessionManager)] = {};
            QVERIFY(QMetaMethod::fromSignal(&QGuiApplication::commitDataRequest)
                        .invoke(qApp, Qt::DirectConnection,
                                QGenericArgument("QSessionManager&", manager)));
        } else {
            QCOMPARE(kill(getpid(), cause), 0);
        }
        QTRY_COMPARE(ended.size(), ends ? 1 : 0);
        QCOMPARE(shutDown.size(), ends ? 1 : 0);
        QCOMPARE(program->links.IsAprsLinkClosed(), ends);
        QVERIFY(QFile::exists(SettingsPath(QStringLiteral("Params.ini"))));
        if (!ends)
            return;
        // The window closing afterwards runs no second shutdown.
        program->window.close();
        QTest::qWait(10);
        QCOMPARE(shutDown.size(), 1);
        QCOMPARE(ended.size(), 1);
    }

    void terminationSignalEndsStartup_data() {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<int>("signalNumber");
        // clang-format off
        QTest::newRow("first start: settings dialog, service manager stops it") << QString() << SIGTERM;
        QTest::newRow("refused port box, Ctrl-C") << TestStation + QStringLiteral(" S:127.0.0.1:40000") << SIGINT;
        // clang-format on
    }

    // A signal while start-up waits in a box or the dialog ends the program
    // there: nothing opens or shows afterwards, and shutdown runs once.
    void terminationSignalEndsStartup() {
        QFETCH(QString, commandLine);
        QFETCH(int, signalNumber);
        QSignalSpy shutDown(program.get(), &AnemoraApp::shutDown);
        QTimer::singleShot(0, this, [signalNumber] { kill(getpid(), signalNumber); });
        // Ends the test rather than hang it, should the signal be lost.
        QTimer::singleShot(5000, this, [] {
            if (QWidget *modal = QApplication::activeModalWidget())
                modal->close();
        });
        program->Start(commandLine);
        QVERIFY(program->IsFinished());
        QCOMPARE(shutDown.size(), 1);
        QVERIFY(!program->window.isVisible());
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QVERIFY(program->links.IsAprsLinkClosed());
        QVERIFY(program->links.IsAgwLinkClosed());
        QCOMPARE(QFile::exists(SettingsPath(QStringLiteral("Params.ini"))), commandLine.isEmpty());
    }

    void signalIgnoredAtStartStaysIgnored_data() {
        QTest::addColumn<int>("signalNumber");
        // clang-format off
        QTest::newRow("nohup") << SIGHUP;
        QTest::newRow("background job of a non-interactive shell") << SIGINT;
        // clang-format on
    }
    void signalIgnoredAtStartStaysIgnored() {
        QFETCH(int, signalNumber);
        program.reset();
        struct sigaction ignore = {};
        ignore.sa_handler = SIG_IGN;
        sigaction(signalNumber, &ignore, nullptr);
        program = std::make_unique<AnemoraApp>(appDir->path(), appDir->path(), appDir->path());
        struct sigaction whileRunning = {};
        sigaction(signalNumber, nullptr, &whileRunning);
        program.reset();
        struct sigaction afterwards = {};
        sigaction(signalNumber, nullptr, &afterwards);
        signal(signalNumber, SIG_DFL);
        QVERIFY(whileRunning.sa_handler == SIG_IGN);
        QVERIFY(afterwards.sa_handler == SIG_IGN);
    }

    // Other stations' lines as fast as the server can send them, then the
    // station's report: the event loop still gets its turns during the flood,
    // and the window ends on the last line and the report.
    void floodLeavesTheWindowItsTurns() {
        constexpr int FloodLines = 20000;
        for (int i = 0; i < FloodLines; ++i)
            reply.prepend(QStringLiteral(
                              "Q2XYZ-%1>APRS,WIDE1-1,qAR,Q1ABC-1:=4531.00N/00915.20E>Mobile %2\r\n")
                              .arg(i % 16)
                              .arg(i)
                              .toLatin1());
        int linesHandled = 0;
        int linesAtProbe = -1;
        // Goes before the counters do, and takes the connections writing them
        // along: the program still reports while it is torn down in cleanup().
        QObject counting;
        connect(&program->monitor, &StationMonitor::displayChanged, &counting, [&] {
            if (linesHandled++ == 0)
                QTimer::singleShot(0, &counting, [&] { linesAtProbe = linesHandled; });
        });
        StartWithServer();
        QTRY_VERIFY(program->window.windLabel->text().startsWith(QStringLiteral("212°")));
        QVERIFY(linesAtProbe > 0);
        QVERIFY2(linesAtProbe < linesHandled, qPrintable(QString::number(linesAtProbe)));
        QCOMPARE(program->window.rxPane->count(), 2);
        QCOMPARE(program->window.rxPane->item(1)->text() + QStringLiteral("\r\n"),
                 QString::fromLatin1(Report.mid(Report.indexOf(':') + 1)));
    }

private:
    void StartWithServer() {
        program->Start(TestStation + QStringLiteral(" S:127.0.0.1:%1").arg(server->Port()));
        QVERIFY(program->window.isVisible());
        QVERIFY(program->session.minuteTimer.isActive());
        QCOMPARE(program->session.minuteTimer.interval(), 60000);
    }

    // A normal start, which writes Params.ini when the program ends.
    void StartFromParams() {
        const WxConfig stored = Settings().Aprs("127.0.0.1", server->Port());
        test::WriteBytes(SettingsPath(QStringLiteral("Params.ini")), ParamsText(stored).toLatin1());
        program->Start(QString());
        QVERIFY(program->window.isVisible());
    }

    QString SettingsPath(const QString &name) const { return QDir(appDir->path()).filePath(name); }

    std::unique_ptr<QTemporaryDir> appDir;
    std::unique_ptr<LoopbackServer> server;
    std::unique_ptr<AnemoraApp> program;
    QByteArray login;
    // What the server sends once the program has logged in.
    QByteArray reply;
    QString startDir;
};

QTEST_MAIN(TestAnemoraApp)
#include "tst_anemora_app.moc"
