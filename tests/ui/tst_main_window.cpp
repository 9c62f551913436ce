// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/fakes.h"
#include "common/shown_text.h"
#include "config/display_language.h"
#include "monitor/station_monitor.h"
#include "ui/compass_view.h"
#include "ui/main_window.h"
#include "ui/twips.h"

#include <QAccessible>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>
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

// The names of the three trend marks and the compass's description, joined by "|".
QString AccessibleTexts(const MainWindow &window) {
    QStringList texts;
    for (TrendView *mark : window.trendMarks)
        texts << QAccessible::queryAccessibleInterface(mark)->text(QAccessible::Name);
    texts << QAccessible::queryAccessibleInterface(window.compassView)
                 ->text(QAccessible::Description);
    return texts.join(u'|');
}

// The compact height is not a whole pixel count, so it reads back a little off.
bool SameSize(int actual, int expected) {
    return qAbs(actual - expected) < TwipsPerPixel;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void init() {
        monitor = std::make_unique<StationMonitor>(config, notifications, QString());
        window = std::make_unique<MainWindow>(*monitor);
    }

    void cleanup() {
        window.reset();
        monitor.reset();
        ApplyLanguage(DisplayLanguage::Italian);
        config.Units = UnitSystem::Metric;
    }

    void startState() {
        QCOMPARE(window->windowTitle(), QStringLiteral("Wx Station"));
        QCOMPARE(window->windLabel->text(), QStringLiteral("Anemora v7"));
        QCOMPARE(window->historyPane->toPlainText(), QStringLiteral("Dati storici"));
        QVERIFY(window->rxPane->isHidden());
        QVERIFY(window->historyPane->isHidden());
        QCOMPARE(window->size(), TwipsSize(ClientWidth, ClientHeight));
        // Before the window manager has framed it, the outer size is the one
        // the client area was laid out for.
        QVERIFY(SameSize(window->OuterWidth(), NarrowWidth));
        QVERIFY(SameSize(window->OuterHeight(), CompactHeight));
        QVERIFY(!window->trayIcon.isVisible());
        QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(window->windowFlags() & Qt::WindowMinimizeButtonHint);
        QCOMPARE(window->minimumSize(), window->maximumSize());
    }

    void toggleSequences_data() {
        // Each step is a right-click on the comment line, plain ("R") or with
        // Shift, Ctrl or Alt ("S", "C", "A"); after it: outer width, outer
        // height ("=" while still the start size), rxPane shown, historyPane shown,
        // historyPane height.
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QStringList>("after");
        // clang-format off
        QTest::newRow("Rx pane on and off") << "RR" << QStringList{"= 2310 1 0 1500", "= 1930 0 0 1500"};
        QTest::newRow("history, Rx, history") << "SRS" << QStringList{"6540 = 0 1 1500", "6540 2310 1 1 1850", "3270 2310 1 0 1500"};
        QTest::newRow("Ctrl works as Shift") << "CRC" << QStringList{"6540 = 0 1 1500", "6540 2310 1 1 1850", "3270 2310 1 0 1500"};
        QTest::newRow("Alt works as Shift") << "ARA" << QStringList{"6540 = 0 1 1500", "6540 2310 1 1 1850", "3270 2310 1 0 1500"};
        QTest::newRow("Rx, history, Rx, history") << "RSRS" << QStringList{"= 2310 1 0 1500", "6540 2310 1 1 1850", "6540 1930 0 1 1500", "3270 1930 0 0 1500"};
        QTest::newRow("history on and off alone") << "SS" << QStringList{"6540 = 0 1 1500", "3270 = 0 0 1500"};
        // clang-format on
    }
    void toggleSequences() {
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
            RightClick(window->commentLabel, modifiers);
            const QStringList expected = after.at(i).split(' ');
            const int width = expected[0] == "=" ? startWidth : expected[0].toInt();
            const int height = expected[1] == "=" ? startHeight : expected[1].toInt();
            const QString where = QStringLiteral("after step %1: %2 x %3")
                                      .arg(i + 1)
                                      .arg(window->OuterWidth())
                                      .arg(window->OuterHeight());
            QVERIFY2(SameSize(window->OuterWidth(), width), qPrintable(where));
            QVERIFY2(SameSize(window->OuterHeight(), height), qPrintable(where));
            QCOMPARE(!window->rxPane->isHidden(), expected[2] == "1");
            QCOMPARE(!window->historyPane->isHidden(), expected[3] == "1");
            QCOMPARE(window->historyPane->height(), Twips(expected[4].toInt()));
        }
    }

    void panesFitTheClientArea() {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QVERIFY(window->rxPane->geometry().top() + 1 < window->height());
        window->ToggleRxWindow();
        window->ToggleHistoryWindow();
        // Both panes shown: rxPane sits wholly inside the window, and historyPane ends
        // beside it rather than overlapping it or stopping short of it.
        QVERIFY(window->rxPane->geometry().bottom() < window->height());
        QVERIFY(window->historyPane->geometry().left() < window->width());
        QVERIFY(window->historyPane->geometry().bottom() >= window->rxPane->geometry().top());
        QVERIFY(window->historyPane->geometry().left() > window->rxPane->geometry().right());
    }

    void mousePresses_data() {
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
        // clang-format off
        QTest::newRow("wind label right") << "wxdata" << right << right << none << 1 << false << false;
        QTest::newRow("wind label Shift-right ignores the modifier") << "wxdata" << right << right << int(Qt::ShiftModifier) << 1 << false << false;
        QTest::newRow("rain label right") << "rain" << right << right << none << 1 << false << false;
        QTest::newRow("rain label Ctrl-right") << "rain" << right << right << int(Qt::ControlModifier) << 1 << false << false;
        QTest::newRow("wind label left") << "wxdata" << left << left << none << 0 << false << false;
        QTest::newRow("rain label left and right together") << "rain" << right << both << none << 0 << false << false;
        QTest::newRow("comment left") << "comment" << left << left << none << 0 << false << false;
        QTest::newRow("comment Shift-left") << "comment" << left << left << int(Qt::ShiftModifier) << 0 << false << false;
        QTest::newRow("comment left and right together") << "comment" << right << both << none << 0 << false << false;
        QTest::newRow("comment middle") << "comment" << int(Qt::MiddleButton) << int(Qt::MiddleButton) << none << 0 << false << false;
        QTest::newRow("comment right") << "comment" << right << right << none << 0 << true << false;
        QTest::newRow("comment Shift+Ctrl-right") << "comment" << right << right << int(Qt::ShiftModifier | Qt::ControlModifier) << 0 << false << true;
        QTest::newRow("temperature label right") << "temp" << right << right << none << 0 << false << false;
        // clang-format on
    }
    void mousePresses() {
        QFETCH(QString, label);
        QFETCH(int, button);
        QFETCH(int, buttons);
        QFETCH(int, modifiers);
        QFETCH(bool, rxShown);
        QFETCH(bool, historyShown);

        const QHash<QString, QLabel *> labels{{"wxdata", window->windLabel},
                                              {"rain", window->rainLabel},
                                              {"comment", window->commentLabel},
                                              {"temp", window->temperatureLabel}};
        QSignalSpy settingsSpy(window.get(), &MainWindow::settingsRequested);
        const QSize before = window->size();
        Press(labels.value(label), Qt::MouseButton(button), Qt::MouseButtons(buttons),
              Qt::KeyboardModifiers(modifiers));
        QTEST(int(settingsSpy.count()), "settings");
        QCOMPARE(!window->rxPane->isHidden(), rxShown);
        QCOMPARE(!window->historyPane->isHidden(), historyShown);
        QCOMPARE(window->size() != before, rxShown || historyShown);
    }

    void helpKey_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("requests");
        // clang-format off
        QTest::newRow("F1 on the window") << "window" << int(Qt::Key_F1) << 0 << 1;
        QTest::newRow("F1 in the history pane") << "historyPane" << int(Qt::Key_F1) << 0 << 1;
        QTest::newRow("Shift-F1 in the Rx pane") << "rxPane" << int(Qt::Key_F1) << int(Qt::ShiftModifier) << 1;
        QTest::newRow("Ctrl+Alt-F1 on the window") << "window" << int(Qt::Key_F1) << int(Qt::ControlModifier | Qt::AltModifier) << 1;
        QTest::newRow("F2 does nothing") << "historyPane" << int(Qt::Key_F2) << 0 << 0;
        QTest::newRow("a letter does nothing") << "window" << int(Qt::Key_H) << 0 << 0;
        // clang-format on
    }
    void helpKey() {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        window->ToggleRxWindow();
        window->ToggleHistoryWindow();
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QWidget *target = focus == "historyPane" ? static_cast<QWidget *>(window->historyPane)
                          : focus == "rxPane"    ? static_cast<QWidget *>(window->rxPane)
                                                 : window.get();
        QSignalSpy spy(window.get(), &MainWindow::helpRequested);
        QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QTEST(int(spy.count()), "requests");
    }

    void helpKeyOfAnotherWindowIgnored() {
        QWidget other;
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        QSignalSpy spy(window.get(), &MainWindow::helpRequested);
        QTest::keyClick(&other, Qt::Key_F1);
        QCOMPARE(spy.count(), 0);
    }

    void trayRoundTripKeepsPanes_data() {
        QTest::addColumn<bool>("byReport");
        // clang-format off
        QTest::newRow("tray icon activated") << false;
        QTest::newRow("a report brings the window forward") << true;
        // clang-format on
    }
    void trayRoundTripKeepsPanes() {
        QFETCH(bool, byReport);
        window->trayAvailable = true;
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->ToggleRxWindow();
        window->ToggleHistoryWindow();
        const QSize panes = window->size();

        window->showMinimized();
        QVERIFY(window->trayIcon.isVisible());
        QTRY_VERIFY(window->isHidden());
        QVERIFY(window->windowState() & Qt::WindowMinimized);

        if (byReport) {
            window->BringForward();
        } else {
            emit window->trayIcon.activated(QSystemTrayIcon::Trigger);
        }
        QVERIFY(!window->isHidden());
        QVERIFY(!(window->windowState() & Qt::WindowMinimized));
        QVERIFY(!window->trayIcon.isVisible());
        QCOMPARE(window->size(), panes);
        QVERIFY(!window->rxPane->isHidden());
        QVERIFY(!window->historyPane->isHidden());
        QCOMPARE(window->historyPane->height(), Twips(HistoryTallHeight));
        // The event loop must not hide the restored window after the fact.
        QTest::qWait(10);
        QVERIFY(!window->isHidden());
    }

    void withoutTrayMinimisingKeepsWindowReachable() {
        window->trayAvailable = false;
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->showMinimized();
        QTest::qWait(10);
        QVERIFY(!window->isHidden());
        QVERIFY(!window->trayIcon.isVisible());
        window->BringForward();
        QVERIFY(!(window->windowState() & Qt::WindowMinimized));
        QVERIFY(!window->isHidden());
    }

    void bringForwardWhenNormalKeepsWindow() {
        window->trayAvailable = true;
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->ToggleRxWindow();
        const QSize before = window->size();
        window->BringForward();
        QVERIFY(!window->trayIcon.isVisible());
        QCOMPARE(window->size(), before);
        QCOMPARE(window->windowState() & ~Qt::WindowActive, Qt::WindowNoState);
    }

    void rendersModelChanges() {
        DisplayModel &model = monitor->model;
        model.caption = QStringLiteral("Q1ABC-13 Wx Station");
        model.temperature = {QStringLiteral("41.0°C"), ReadingColour::Alarm};
        model.humidity = {QStringLiteral("50%"), ReadingColour::Normal};
        model.rain = {QStringLiteral("0mm/h 0mm/24h\r\n0mm/Day"), ReadingColour::Normal};
        model.rainFontPointSize = 8;
        model.minutes = QStringLiteral("07");
        model.compass = {true, 220, 6, 8};
        model.trends = {TrendMark::Up, TrendMark::Steady, TrendMark::Down};
        model.rxRows = {QStringLiteral("Q1ABC-13>APRS"), QStringLiteral("_10090556c220s004g005")};
        emit monitor->displayChanged();

        QCOMPARE(window->windowTitle(), model.caption);
        QCOMPARE(ShownToolTip(window->trayIcon.toolTip()), model.caption);
        QCOMPARE(window->temperatureLabel->text(), QStringLiteral("41.0°C"));
        QCOMPARE(window->temperatureLabel->palette().color(QPalette::WindowText),
                 QColor(255, 0, 0));
        QCOMPARE(window->humidityLabel->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        // Word joiners keep each unit on one line; they are not seen.
        QCOMPARE(window->rainLabel->text().remove(QChar(0x2060)),
                 QStringLiteral("0mm/h 0mm/24h\n0mm/Day"));
        QVERIFY(window->rainLabel->text().contains(QStringLiteral("mm/\u2060Day")));
        QCOMPARE(window->rainLabel->font().pointSizeF(), 8.0);
        QCOMPARE(window->compassView->minutesLabel->text(), QStringLiteral("07"));
        QCOMPARE(window->compassView->Request().direction, qint16(220));
        QCOMPARE(window->trendMarks[2]->Mark(), TrendMark::Down);
        QCOMPARE(window->rxPane->count(), 2);
        QCOMPARE(window->rxPane->item(1)->text(), model.rxRows.at(1));

        // The alarm colour goes back to blue with the next normal reading.
        model.temperature.colour = ReadingColour::Normal;
        model.trayTip = QStringLiteral("Q1ABC-13 220°  6 / 8 km/h");
        emit monitor->displayChanged();
        // A second change in the same turn is drawn when the event loop comes round.
        QCoreApplication::processEvents();
        QCOMPARE(window->temperatureLabel->palette().color(QPalette::WindowText),
                 QColor(0, 0, 255));
        QCOMPARE(ShownToolTip(window->trayIcon.toolTip()), model.trayTip);
        // A link down shows in the title and the tooltip.
        model.linkTrouble[std::size_t(LinkKind::Agwpe)] = QStringLiteral("AGWPE: chiusa");
        emit monitor->displayChanged();
        QCoreApplication::processEvents();
        QCOMPARE(window->windowTitle(), "AGWPE fuori linea - " + model.caption);
        QCOMPARE(ShownToolTip(window->trayIcon.toolTip()), model.trayTip + "\nAGWPE: chiusa");
        // The data-stopped alarm: red minutes, its text on the bottom line and in the tray.
        model.dataStopped = QStringLiteral("Nessun dato da Q1ABC-13 da 130 min");
        model.minutesColour = ReadingColour::Alarm;
        emit monitor->displayChanged();
        QCoreApplication::processEvents();
        QCOMPARE(window->commentLabel->text(), model.dataStopped);
        QCOMPARE(ShownToolTip(window->trayIcon.toolTip()),
                 model.trayTip + u'\n' + model.dataStopped + "\nAGWPE: chiusa");
        QCOMPARE(window->compassView->toolTip(), model.dataStopped);
        QCOMPARE(window->compassView->minutesLabel->palette().color(QPalette::WindowText),
                 QColor(255, 0, 0));
    }

    void accessibleTexts_data() {
        // The station's reports, then the language and units shown.
        QTest::addColumn<QStringList>("reports");
        QTest::addColumn<QString>("shownIn");
        QTest::addColumn<QString>("expected");
        const QString first = QStringLiteral("_12071422c220s004g005t050h50b10130");
        // clang-format off
        QTest::newRow("rising, steady, falling") << QStringList{first, "_12071423c220s004g005t051h50b10120"} << "it km/h" << "in aumento|stabile|in calo|220°, 6 km/h, raffica 8 km/h";
        QTest::newRow("names follow each report") << QStringList{first, "_12071423c220s004g005t051h51b10140", "_12071424c220s004g005t049h51b10140"} << "it km/h" << "in calo|stabile|stabile|220°, 6 km/h, raffica 8 km/h";
        QTest::newRow("English") << QStringList{first, "_12071423c220s004g005t049h51b10130"} << "en km/h" << "falling|rising|steady|220°, 6 km/h, gust 8 km/h";
        QTest::newRow("imperial units") << QStringList{first, "_12071423c090s010g020t050h50b10130"} << "it mph" << "stabile|stabile|stabile|90°, 10 mph, raffica 20 mph";
        QTest::newRow("calm in English") << QStringList{first, "_12071423c220s000g000t050h50b10130"} << "en km/h" << "steady|steady|steady|Wind calm";
        QTest::newRow("one report without gust has no trend") << QStringList{"_12071423c005s004g...t050h50b10130"} << "it km/h" << "|||5°, 6 km/h";
        // clang-format on
    }
    void accessibleTexts() {
        QFETCH(QStringList, reports);
        QFETCH(QString, shownIn);
        QFETCH(QString, expected);
        config.StationCall = QStringLiteral("Q1ABC-13");
        for (const QString &report : reports) {
            monitor->AcceptNextReport();
            monitor->HandleAprsLine(QStringLiteral("Q1ABC-13>APRS:") + report);
        }
        // Shown before the language and units change, which must reach them at once.
        QCoreApplication::processEvents();
        config.Units = shownIn.endsWith(u"mph") ? UnitSystem::Imperial : UnitSystem::Metric;
        ApplyLanguage(LanguageFromCode(shownIn.left(2)));
        monitor->RefreshTexts();
        QTRY_COMPARE(AccessibleTexts(*window), expected);
    }

    void historyStaysScrolledToEnd() {
        window->ToggleHistoryWindow();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        for (int i = 0; i < 60; ++i) {
            monitor->model.history += QStringLiteral("\r\n12:00:%1 Q1ABC-13>APRS:_10090556c220s004")
                                          .arg(i, 2, 10, QLatin1Char('0'));
            emit monitor->displayChanged();
        }
        QCoreApplication::processEvents();
        QScrollBar *bar = window->historyPane->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), bar->maximum());
        QVERIFY(window->historyPane->toPlainText().endsWith(
            QStringLiteral("12:00:59 "
                           "Q1ABC-13>APRS:_10090556c220s004")));
        QCOMPARE(window->historyPane->document()->blockCount(), 61);

        // A trimmed history is not an append: the pane shows exactly the model.
        monitor->model.history = monitor->model.history.right(200);
        emit monitor->displayChanged();
        QCoreApplication::processEvents();
        QCOMPARE(
            window->historyPane->toPlainText(),
            QString(monitor->model.history).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        QCOMPARE(bar->value(), bar->maximum());
    }

    void receivedTextShownAsSent_data() {
        QTest::addColumn<QString>("text");
        // clang-format off
        QTest::newRow("tags") << QStringLiteral("<b>Bold</b> &amp; <i>it</i>");
        QTest::newRow("entity") << QStringLiteral("&lt;&gt;&amp; &#65;");
        QTest::newRow("image from the local disk") << QStringLiteral("<img src=\"/etc/hostname\">x");
        QTest::newRow("lone angle bracket") << QStringLiteral("a < b > c");
        QTest::newRow("document start") << QStringLiteral("<html><body>Hi</body></html>");
        // clang-format on
    }
    void receivedTextShownAsSent() {
        QFETCH(QString, text);
        config.StationCall = QStringLiteral("Q1ABC-13");
        monitor->HandleAprsLine(QStringLiteral("Q1ABC-13>APRS:_10090556c220s004g005t077 ") + text);
        QCoreApplication::processEvents();
        QCOMPARE(ShownText(window->commentLabel), QStringLiteral(" ") + text);

        monitor->model.temperature.text = text;
        monitor->model.trayTip = text;
        emit monitor->displayChanged();
        QCoreApplication::processEvents();
        QCOMPARE(ShownText(window->temperatureLabel), text);
        QCOMPARE(ShownToolTip(window->trayIcon.toolTip()), text);
    }

    void longestRainBlockFitsItsLabel() {
        config.StationCall = QStringLiteral("Q1ABC-13");
        // Rain in three digits, wind chill, dew point and absolute humidity.
        monitor->HandleAprsLine(
            QStringLiteral("Q1ABC-13>APRS:_12071422c270s060g080t-10r999p999P999h95b10130"));
        QCoreApplication::processEvents();
        QLabel *rain = window->rainLabel;
        QVERIFY2(rain->heightForWidth(rain->width()) <= rain->height(), qPrintable(rain->text()));
        QVERIFY(rain->font().pointSizeF() <= monitor->model.rainFontPointSize);
    }

private:
    WxConfig config;
    FakeNotifications notifications;
    std::unique_ptr<StationMonitor> monitor;
    std::unique_ptr<MainWindow> window;
};

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
