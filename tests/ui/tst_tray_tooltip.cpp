// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/fakes.h"
#include "common/shown_text.h"
#include "monitor/station_monitor.h"
#include "ui/main_window.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QThread>
#include <QtTest>

#include <unistd.h>

#include <cstdio>
#include <memory>
#include <vector>

using namespace anemora;
using namespace anemora::test;

namespace {

// Stands in for the desktop's StatusNotifierWatcher: Qt puts its tray icon
// on D-Bus only when one is there and says a host shows the items. It
// answers from a thread of its own, because Qt asks it with blocking calls.
class StatusNotifierWatcher : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ IsStatusNotifierHostRegistered)
    Q_PROPERTY(int ProtocolVersion READ ProtocolVersion)
public:
    bool IsStatusNotifierHostRegistered() const { return true; }
    int ProtocolVersion() const { return 0; }

public slots:
    void RegisterStatusNotifierItem(const QString &service) { emit itemRegistered(service); }

signals:
    void itemRegistered(const QString &service);
};

// The tray item's tooltip title, read as a host reads it: from another
// connection, through the bus. ToolTip is (icon name, icon pixmaps, title,
// text); hosts show the title as plain text.
QString ToolTipTitle(const QString &itemService) {
    QDBusMessage get = QDBusMessage::createMethodCall(
        itemService, QStringLiteral("/StatusNotifierItem"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << QStringLiteral("org.kde.StatusNotifierItem") << QStringLiteral("ToolTip");
    QDBusPendingCall call = QDBusConnection(QStringLiteral("desktop")).asyncCall(get);
    // The item answers from this thread, so the loop must keep turning.
    if (!QTest::qWaitFor([&] { return call.isFinished(); }) || call.isError())
        return QStringLiteral("no answer");
    const auto toolTip = call.reply().arguments().value(0).value<QDBusVariant>().variant();
    const QDBusArgument fields = toolTip.value<QDBusArgument>();
    QString iconName, title;
    fields.beginStructure();
    fields >> iconName;
    fields.beginArray();
    while (!fields.atEnd()) {
        int width = 0, height = 0;
        QByteArray pixels;
        fields.beginStructure();
        fields >> width >> height >> pixels;
        fields.endStructure();
    }
    fields.endArray();
    fields >> title;
    fields.endStructure();
    return title;
}

} // namespace

class TestTrayTooltip : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QDBusConnection bus =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("desktop"));
        QVERIFY2(bus.isConnected(), "no session bus");
        QVERIFY(bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), &watcher,
                                   QDBusConnection::ExportAllSlots |
                                       QDBusConnection::ExportAllProperties));
        watcher.moveToThread(&watcherThread);
        watcherThread.start();
        connect(&watcher, &StatusNotifierWatcher::itemRegistered, this,
                [this](const QString &service) { itemService = service; });
        QVERIFY(bus.registerService(QStringLiteral("org.kde.StatusNotifierWatcher")));

        monitor = std::make_unique<StationMonitor>(config, notifications, QString());
        window = std::make_unique<MainWindow>(*monitor);
        QVERIFY2(window->trayAvailable, "Qt did not take the D-Bus tray");
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->showMinimized();
        QTRY_VERIFY(!itemService.isEmpty());
    }

    void cleanupTestCase() {
        window.reset();
        monitor.reset();
        watcherThread.quit();
        watcherThread.wait();
    }

    void hostsReadTheTextAsSet_data() {
        QTest::addColumn<QString>("tip");
        // clang-format off
        QTest::newRow("ampersand and angle brackets") << "Q1ABC-13 Wx Station & <3 > 2";
        QTest::newRow("report with the rain block's line break") << "Q1ABC-13 8.9°C 76% 0mm/h 1mm/24h\r\n0mm/Day Dp 4.9°C";
        QTest::newRow("text that looks like markup") << "<b>Q1ABC</b> &amp; &lt;";
        QTest::newRow("markup on a later line") << "Q1ABC\r\n<i>wet</i>";
        // clang-format on
    }
    void hostsReadTheTextAsSet() {
        QFETCH(QString, tip);
        monitor->model.trayTip = tip;
        emit monitor->displayChanged();
        QCoreApplication::processEvents();
        const QString shown = tip.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        QCOMPARE(ShownPlainText(ToolTipTitle(itemService)), shown);
        // Where the desktop has an XEmbed tray, Qt shows the tip itself.
        QCOMPARE(ShownToolTip(window->trayIcon.toolTip()), shown);
    }

private:
    QThread watcherThread;
    StatusNotifierWatcher watcher;
    QString itemService;
    WxConfig config;
    FakeNotifications notifications;
    std::unique_ptr<StationMonitor> monitor;
    std::unique_ptr<MainWindow> window;
};

// Qt offers the D-Bus tray on a real display only, and a watcher must not
// meet the desktop's own: the test runs again on a bus and an X server of
// its own.
int main(int argc, char *argv[]) {
    if (qEnvironmentVariable("ANEMORA_TRAY_TEST") != QStringLiteral("private")) {
        qputenv("ANEMORA_TRAY_TEST", "private");
        qputenv("QT_QPA_PLATFORM", "xcb");
        qunsetenv("QT_QPA_PLATFORMTHEME");
        std::vector<const char *> command{"dbus-run-session",    "--", "xvfb-run", "-a", "-s",
                                          "-screen 0 640x480x24"};
        command.insert(command.end(), argv, argv + argc);
        command.push_back(nullptr);
        execvp(command[0], const_cast<char *const *>(command.data()));
        perror("dbus-run-session");
        return 1;
    }
    QApplication app(argc, argv);
    TestTrayTooltip test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_tray_tooltip.moc"
