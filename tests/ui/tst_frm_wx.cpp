#include "common/fakes.h"
#include "ui/compass_view.h"
#include "ui/frm_wx.h"
#include "ui/twips.h"

#include <QAccessible>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextDocument>
#include <QtTest>

#include <memory>

using namespace anemora;
using namespace anemora::test;

namespace {

void Press(QWidget *target, Qt::MouseButton button, Qt::MouseButtons buttons,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const QPointF at(2, 2);
    QMouseEvent press(QEvent::MouseButtonPress, at, target->mapToGlobal(at), button, buttons,
                      modifiers);
    QApplication::sendEvent(target, &press);
}

void RightClick(QWidget *target, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    Press(target, Qt::RightButton, Qt::RightButton, modifiers);
}

// What a reader sees of a label: its accessible name, which Qt gives as the
// rendered text when it takes the label's text for markup.
QString ShownText(QLabel *label) {
    return QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name);
}

// What a tooltip shows: Qt renders it as markup whenever it looks like some.
QString ShownToolTip(const QString &tip) {
    if (!Qt::mightBeRichText(tip))
        return tip;
    QTextDocument document;
    document.setHtml(tip);
    return document.toPlainText();
}

// The compact height is not a whole pixel count, so it reads back a little off.
bool SameSize(int actual, int expected) {
    return qAbs(actual - expected) < TwipsPerPixel;
}

} // namespace

class TestFrmWx : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void startState();
    void toggleSequences_data();
    void toggleSequences();
    void panesFitTheClientArea();
    void mousePresses_data();
    void mousePresses();
    void helpKey_data();
    void helpKey();
    void helpKeyOfAnotherWindowIgnored();
    void trayRoundTripKeepsPanes_data();
    void trayRoundTripKeepsPanes();
    void withoutTrayMinimisingKeepsWindowReachable();
    void bringForwardWhenNormalKeepsWindow();
    void rendersModelChanges();
    void historyStaysScrolledToEnd();
    void receivedTextShownAsSent_data();
    void receivedTextShownAsSent();

private:
    WxConfig config;
    SilentNotifications notifications;
    std::unique_ptr<StationMonitor> monitor;
    std::unique_ptr<frmWx> window;
};

void TestFrmWx::init() {
    monitor = std::make_unique<StationMonitor>(config, notifications, QString());
    window = std::make_unique<frmWx>(*monitor);
}

void TestFrmWx::cleanup() {
    window.reset();
    monitor.reset();
}

void TestFrmWx::startState() {
    QCOMPARE(window->windowTitle(), QStringLiteral("Wx Station"));
    QCOMPARE(window->lblWxData->text(), QStringLiteral("Anemora v7"));
    QCOMPARE(window->Text1->toPlainText(), QStringLiteral("Dati storici"));
    QVERIFY(window->List2->isHidden());
    QVERIFY(window->Text1->isHidden());
    QCOMPARE(window->size(), twipsSize(ClientWidth, ClientHeight));
    // Before the window manager has framed it, the outer size is the one
    // the client area was laid out for.
    QVERIFY(SameSize(window->OuterWidth(), NarrowWidth));
    QVERIFY(SameSize(window->OuterHeight(), CompactHeight));
    QVERIFY(window->tmrElapsed.isActive());
    QCOMPARE(window->tmrElapsed.interval(), 60000);
    QVERIFY(!window->cSysTray1.isVisible());
    QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(window->windowFlags() & Qt::WindowMinimizeButtonHint);
    QCOMPARE(window->minimumSize(), window->maximumSize());
}

void TestFrmWx::toggleSequences_data() {
    // Each step is a right-click on the comment line, plain ("R") or with
    // Shift, Ctrl or Alt ("S", "C", "A"); after it: outer width, outer
    // height ("=" while still the start size), List2 shown, Text1 shown,
    // Text1 height.
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QStringList>("after");
    QTest::newRow("Rx pane on and off")
        << "RR" << QStringList{"= 2310 1 0 1500", "= 1930 0 0 1500"};
    QTest::newRow("history, Rx, history")
        << "SRS" << QStringList{"6540 = 0 1 1500", "6540 2310 1 1 1850", "3270 2310 1 0 1500"};
    QTest::newRow("Ctrl works as Shift")
        << "CRC" << QStringList{"6540 = 0 1 1500", "6540 2310 1 1 1850", "3270 2310 1 0 1500"};
    QTest::newRow("Alt works as Shift")
        << "ARA" << QStringList{"6540 = 0 1 1500", "6540 2310 1 1 1850", "3270 2310 1 0 1500"};
    QTest::newRow("Rx, history, Rx, history")
        << "RSRS"
        << QStringList{"= 2310 1 0 1500", "6540 2310 1 1 1850", "6540 1930 0 1 1500",
                       "3270 1930 0 0 1500"};
    QTest::newRow("history on and off alone")
        << "SS" << QStringList{"6540 = 0 1 1500", "3270 = 0 0 1500"};
}

void TestFrmWx::toggleSequences() {
    QFETCH(QString, steps);
    QFETCH(QStringList, after);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    const int startWidth = window->OuterWidth();
    const int startHeight = window->OuterHeight();
    for (qsizetype i = 0; i < steps.size(); ++i) {
        const QChar step = steps.at(i);
        const Qt::KeyboardModifiers modifiers = step == 'S'   ? Qt::ShiftModifier
                                                : step == 'C' ? Qt::ControlModifier
                                                : step == 'A' ? Qt::AltModifier
                                                              : Qt::NoModifier;
        RightClick(window->lblWxComment, modifiers);
        const QStringList expected = after.at(i).split(' ');
        const int width = expected[0] == "=" ? startWidth : expected[0].toInt();
        const int height = expected[1] == "=" ? startHeight : expected[1].toInt();
        const QString where = QStringLiteral("after step %1: %2 x %3")
                                  .arg(i + 1)
                                  .arg(window->OuterWidth())
                                  .arg(window->OuterHeight());
        QVERIFY2(SameSize(window->OuterWidth(), width), qPrintable(where));
        QVERIFY2(SameSize(window->OuterHeight(), height), qPrintable(where));
        QCOMPARE(!window->List2->isHidden(), expected[2] == "1");
        QCOMPARE(!window->Text1->isHidden(), expected[3] == "1");
        QCOMPARE(window->Text1->height(), twips(expected[4].toInt()));
    }
}

void TestFrmWx::panesFitTheClientArea() {
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QVERIFY(window->List2->geometry().top() + 1 < window->height());
    window->ToggleRxWindow();
    window->ToggleHistoryWindow();
    // Both panes shown: List2 sits wholly inside the window, and Text1 ends
    // beside it rather than overlapping it or stopping short of it.
    QVERIFY(window->List2->geometry().bottom() < window->height());
    QVERIFY(window->Text1->geometry().left() < window->width());
    QVERIFY(window->Text1->geometry().bottom() >= window->List2->geometry().top());
    QVERIFY(window->Text1->geometry().left() > window->List2->geometry().right());
}

void TestFrmWx::mousePresses_data() {
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("settings");
    QTest::addColumn<bool>("rxShown");
    QTest::addColumn<bool>("historyShown");

    const int left = Qt::LeftButton;
    const int right = Qt::RightButton;
    const int both = Qt::LeftButton | Qt::RightButton;
    const int none = Qt::NoModifier;
    QTest::newRow("wind label right") << "wxdata" << right << right << none << 1 << false << false;
    QTest::newRow("wind label Shift-right ignores the modifier")
        << "wxdata" << right << right << int(Qt::ShiftModifier) << 1 << false << false;
    QTest::newRow("rain label right") << "rain" << right << right << none << 1 << false << false;
    QTest::newRow("rain label Ctrl-right")
        << "rain" << right << right << int(Qt::ControlModifier) << 1 << false << false;
    QTest::newRow("wind label left") << "wxdata" << left << left << none << 0 << false << false;
    QTest::newRow("rain label left and right together")
        << "rain" << right << both << none << 0 << false << false;
    QTest::newRow("comment left") << "comment" << left << left << none << 0 << false << false;
    QTest::newRow("comment Shift-left")
        << "comment" << left << left << int(Qt::ShiftModifier) << 0 << false << false;
    QTest::newRow("comment left and right together")
        << "comment" << right << both << none << 0 << false << false;
    QTest::newRow("comment middle") << "comment" << int(Qt::MiddleButton) << int(Qt::MiddleButton)
                                    << none << 0 << false << false;
    QTest::newRow("comment right") << "comment" << right << right << none << 0 << true << false;
    QTest::newRow("comment Shift+Ctrl-right")
        << "comment" << right << right << int(Qt::ShiftModifier | Qt::ControlModifier) << 0 << false
        << true;
    QTest::newRow("temperature label right")
        << "temp" << right << right << none << 0 << false << false;
}

void TestFrmWx::mousePresses() {
    QFETCH(QString, label);
    QFETCH(int, button);
    QFETCH(int, buttons);
    QFETCH(int, modifiers);
    QFETCH(int, settings);
    QFETCH(bool, rxShown);
    QFETCH(bool, historyShown);

    const QHash<QString, QLabel *> labels{{"wxdata", window->lblWxData},
                                          {"rain", window->lblRain},
                                          {"comment", window->lblWxComment},
                                          {"temp", window->lblTemp}};
    QSignalSpy settingsSpy(window.get(), &frmWx::settingsRequested);
    const QSize before = window->size();
    Press(labels.value(label), Qt::MouseButton(button), Qt::MouseButtons(buttons),
          Qt::KeyboardModifiers(modifiers));
    QCOMPARE(settingsSpy.count(), settings);
    QCOMPARE(!window->List2->isHidden(), rxShown);
    QCOMPARE(!window->Text1->isHidden(), historyShown);
    QCOMPARE(window->size() != before, rxShown || historyShown);
}

void TestFrmWx::helpKey_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("requests");
    QTest::newRow("F1 on the window") << "window" << int(Qt::Key_F1) << 0 << 1;
    QTest::newRow("F1 in the history pane") << "Text1" << int(Qt::Key_F1) << 0 << 1;
    QTest::newRow("Shift-F1 in the Rx pane")
        << "List2" << int(Qt::Key_F1) << int(Qt::ShiftModifier) << 1;
    QTest::newRow("Ctrl+Alt-F1 on the window")
        << "window" << int(Qt::Key_F1) << int(Qt::ControlModifier | Qt::AltModifier) << 1;
    QTest::newRow("F2 does nothing") << "Text1" << int(Qt::Key_F2) << 0 << 0;
    QTest::newRow("a letter does nothing") << "window" << int(Qt::Key_H) << 0 << 0;
}

void TestFrmWx::helpKey() {
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, requests);
    window->ToggleRxWindow();
    window->ToggleHistoryWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QWidget *target = focus == "Text1"   ? static_cast<QWidget *>(window->Text1)
                      : focus == "List2" ? static_cast<QWidget *>(window->List2)
                                         : window.get();
    QSignalSpy spy(window.get(), &frmWx::helpRequested);
    QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(spy.count(), requests);
}

void TestFrmWx::helpKeyOfAnotherWindowIgnored() {
    QWidget other;
    other.show();
    QVERIFY(QTest::qWaitForWindowExposed(&other));
    QSignalSpy spy(window.get(), &frmWx::helpRequested);
    QTest::keyClick(&other, Qt::Key_F1);
    QCOMPARE(spy.count(), 0);
}

void TestFrmWx::trayRoundTripKeepsPanes_data() {
    QTest::addColumn<bool>("byReport");
    QTest::newRow("tray icon activated") << false;
    QTest::newRow("a report brings the window forward") << true;
}

void TestFrmWx::trayRoundTripKeepsPanes() {
    QFETCH(bool, byReport);
    window->trayAvailable = true;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    window->ToggleRxWindow();
    window->ToggleHistoryWindow();
    const QSize panes = window->size();

    window->showMinimized();
    QVERIFY(window->cSysTray1.isVisible());
    QTRY_VERIFY(window->isHidden());
    QVERIFY(window->windowState() & Qt::WindowMinimized);

    if (byReport) {
        window->BringForward();
    } else {
        emit window->cSysTray1.activated(QSystemTrayIcon::Trigger);
    }
    QVERIFY(!window->isHidden());
    QVERIFY(!(window->windowState() & Qt::WindowMinimized));
    QVERIFY(!window->cSysTray1.isVisible());
    QCOMPARE(window->size(), panes);
    QVERIFY(!window->List2->isHidden());
    QVERIFY(!window->Text1->isHidden());
    QCOMPARE(window->Text1->height(), twips(HistoryTallHeight));
    // The event loop must not hide the restored window after the fact.
    QTest::qWait(10);
    QVERIFY(!window->isHidden());
}

void TestFrmWx::withoutTrayMinimisingKeepsWindowReachable() {
    window->trayAvailable = false;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    window->showMinimized();
    QTest::qWait(10);
    QVERIFY(!window->isHidden());
    QVERIFY(!window->cSysTray1.isVisible());
    window->BringForward();
    QVERIFY(!(window->windowState() & Qt::WindowMinimized));
    QVERIFY(!window->isHidden());
}

void TestFrmWx::bringForwardWhenNormalKeepsWindow() {
    window->trayAvailable = true;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    window->ToggleRxWindow();
    const QSize before = window->size();
    window->BringForward();
    QVERIFY(!window->cSysTray1.isVisible());
    QCOMPARE(window->size(), before);
    QCOMPARE(window->windowState() & ~Qt::WindowActive, Qt::WindowNoState);
}

void TestFrmWx::rendersModelChanges() {
    DisplayModel &model = monitor->model;
    model.caption = QStringLiteral("Q1ABC-13 Wx Station");
    model.lblTemp = {QStringLiteral("41.0°C"), ReadingColour::Alarm};
    model.lblUR = {QStringLiteral("50%"), ReadingColour::Normal};
    model.lblRain = {QStringLiteral("0mm/h 0mm/24h\r\n0mm/Day"), ReadingColour::Normal};
    model.rainFontPointSize = 8;
    model.lblElapsed = QStringLiteral("07");
    model.compass = {true, 220, 6, 8};
    model.picVar = {TrendMark::Up, TrendMark::Steady, TrendMark::Down};
    model.List2 = {QStringLiteral("Q1ABC-13>APRS"), QStringLiteral("_10090556c220s004g005")};
    emit monitor->displayChanged();

    QCOMPARE(window->windowTitle(), model.caption);
    QCOMPARE(ShownToolTip(window->cSysTray1.toolTip()), model.caption);
    QCOMPARE(window->lblTemp->text(), QStringLiteral("41.0°C"));
    QCOMPARE(window->lblTemp->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QCOMPARE(window->lblUR->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    // Word joiners keep each unit on one line; they are not seen.
    QCOMPARE(window->lblRain->text().remove(QChar(0x2060)),
             QStringLiteral("0mm/h 0mm/24h\n0mm/Day"));
    QVERIFY(window->lblRain->text().contains(QStringLiteral("mm/\u2060Day")));
    QCOMPARE(window->lblRain->font().pointSizeF(), 8.0);
    QCOMPARE(window->picWx->lblElapsed->text(), QStringLiteral("07"));
    QCOMPARE(window->picWx->Request().direction, qint16(220));
    QCOMPARE(window->picVar[2]->Mark(), TrendMark::Down);
    QCOMPARE(window->List2->count(), 2);
    QCOMPARE(window->List2->item(1)->text(), model.List2.at(1));

    // The alarm colour goes back to blue with the next normal reading.
    model.lblTemp.colour = ReadingColour::Normal;
    model.trayTip = QStringLiteral("Q1ABC-13 220°  6 / 8 km/h");
    emit monitor->displayChanged();
    QCOMPARE(window->lblTemp->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QCOMPARE(ShownToolTip(window->cSysTray1.toolTip()), model.trayTip);
}

void TestFrmWx::historyStaysScrolledToEnd() {
    window->ToggleHistoryWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    for (int i = 0; i < 60; ++i) {
        monitor->model.Text1 += QStringLiteral("\r\n12:00:%1 Q1ABC-13>APRS:_10090556c220s004")
                                    .arg(i, 2, 10, QLatin1Char('0'));
        emit monitor->displayChanged();
    }
    QScrollBar *bar = window->Text1->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    QCOMPARE(bar->value(), bar->maximum());
    QVERIFY(
        window->Text1->toPlainText().endsWith(QStringLiteral("12:00:59 "
                                                             "Q1ABC-13>APRS:_10090556c220s004")));
    QCOMPARE(window->Text1->document()->blockCount(), 61);

    // A trimmed history is not an append: the pane shows exactly the model.
    monitor->model.Text1 = monitor->model.Text1.right(200);
    emit monitor->displayChanged();
    QCOMPARE(window->Text1->toPlainText(),
             QString(monitor->model.Text1).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    QCOMPARE(bar->value(), bar->maximum());
}

void TestFrmWx::receivedTextShownAsSent_data() {
    QTest::addColumn<QString>("text");
    // clang-format off
    QTest::newRow("tags") << QStringLiteral("<b>Bold</b> &amp; <i>it</i>");
    QTest::newRow("entity") << QStringLiteral("&lt;&gt;&amp; &#65;");
    QTest::newRow("image from the local disk") << QStringLiteral("<img src=\"/etc/hostname\">x");
    QTest::newRow("lone angle bracket") << QStringLiteral("a < b > c");
    QTest::newRow("document start") << QStringLiteral("<html><body>Hi</body></html>");
    // clang-format on
}

void TestFrmWx::receivedTextShownAsSent() {
    QFETCH(QString, text);
    config.StationCall = QStringLiteral("Q1ABC-13");
    monitor->HandleAprsLine(QStringLiteral("Q1ABC-13>APRS:_10090556c220s004g005t077 ") + text);
    QCOMPARE(ShownText(window->lblWxComment), QStringLiteral(" ") + text);

    monitor->model.lblTemp.text = text;
    monitor->model.trayTip = text;
    emit monitor->displayChanged();
    QCOMPARE(ShownText(window->lblTemp), text);
    QCOMPARE(ShownToolTip(window->cSysTray1.toolTip()), text);
}

QTEST_MAIN(TestFrmWx)
#include "tst_frm_wx.moc"
