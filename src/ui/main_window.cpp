// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/main_window.h"

#include "ui/compass_view.h"
#include "ui/twips.h"
#include "ui/ui_style.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>
#include <QTimer>

namespace anemora {

namespace {

constexpr double ReadingPointSize = 9.75;

QLabel *AddLabel(QWidget *parent, const QRect &geometry, Qt::Alignment alignment,
                 const QColor &background) {
    auto *label = new QLabel(parent);
    // Readings and the comment come from the air: never let Qt guess markup.
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(geometry);
    label->setAlignment(alignment | Qt::AlignTop);
    label->setFont(SansFace(ReadingPointSize, true));
    SetTextColour(label, ReadingBlue);
    SetBackground(label, background);
    return label;
}

// Each change of a widget is also a repaint and an accessibility event, so
// only what really changed is set.
void ShowReading(QLabel *label, const ReadingLabel &reading, const QString &shown) {
    if (label->text() != shown)
        label->setText(shown);
    const QColor colour = reading.colour == ReadingColour::Alarm ? AlarmRed : ReadingBlue;
    if (label->palette().color(QPalette::WindowText) != colour)
        SetTextColour(label, colour);
}

void ShowReading(QLabel *label, const ReadingLabel &reading) {
    ShowReading(label, reading, reading.text);
}

// The model keeps the program's CR LF and lone CR line ends; Qt's text
// widgets break lines at LF only.
QString Displayable(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

// The length rule picks the block's size for the faces the window was drawn
// for; taller faces wrap it onto a line the label cannot show, so the size
// steps down until the wrapped text fits.
QFont FittingFont(QFont font, const QLabel &label) {
    constexpr double SmallestPointSize = 4;
    constexpr double PointSizeStep = 0.5;
    const QRect box = label.contentsRect();
    const int flags = int(label.alignment()) | Qt::TextWordWrap;
    while (font.pointSizeF() > SmallestPointSize &&
           QFontMetrics(font, &label).boundingRect(box, flags, label.text()).height() >
               box.height())
        font.setPointSizeF(font.pointSizeF() - PointSizeStep);
    return font;
}

// A unit such as "g/m³" or "mm/24h" must not be split at its slash when the
// rain block wraps.
QString KeepUnitsWhole(QString text) {
    return text.replace(QLatin1Char('/'), QStringLiteral("/\u2060"));
}

} // namespace

MainWindow::MainWindow(StationMonitor &monitor, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      monitor(monitor) {
    setFixedSize(TwipsSize(ClientWidth, ClientHeight));
    SetBackground(this, PanelYellow);
    const QIcon icon(QStringLiteral(":/anemora/anemora.png"));
    setWindowIcon(icon);
    trayIcon.setIcon(icon);

    compassView = new CompassView(this);
    compassView->move(0, 0);
    BuildLabels();
    BuildPanes();

    // One application-wide filter sees F1 whichever control has the focus,
    // and the presses on the three labels that react to the mouse.
    qApp->installEventFilter(this);
    connect(&monitor, &StationMonitor::displayChanged, this, &MainWindow::ScheduleRender);
    connect(&trayIcon, &QSystemTrayIcon::activated, this, &MainWindow::RestoreFromTray);
    RetranslateUi();
    Render();
}

void MainWindow::RetranslateUi() {
    windLabel->setToolTip(tr("Click col tasto destro del muose per avviare il Setup. F1=Help"));
    rainLabel->setToolTip(tr("Click col tasto destro del mouse per avviare il Setup"));
    commentLabel->setToolTip(tr("Click o Shift-Click col tasto destro per "
                                "abilitare/disabilitare le finestre Rx o Dati storici"));
}

void MainWindow::BuildLabels() {
    windLabel = AddLabel(this, TwipsRect(1200, -10, 1935, 255), Qt::AlignHCenter, PanelYellow);
    temperatureLabel = AddLabel(this, TwipsRect(1300, 215, 735, 255), Qt::AlignRight, PanelYellow);
    humidityLabel = AddLabel(this, TwipsRect(2250, 215, 615, 255), Qt::AlignRight, PanelYellow);
    pressureLabel = AddLabel(this, TwipsRect(1250, 425, 1335, 255), Qt::AlignRight, PanelYellow);
    rainLabel = AddLabel(this, TwipsRect(1200, 650, 1935, 580), Qt::AlignHCenter, PanelYellow);
    rainLabel->setWordWrap(true);

    commentLabel =
        AddLabel(this, TwipsRect(0, 1210, 3180, 255), Qt::AlignHCenter, QColor(224, 224, 224));
    commentLabel->setFont(TerminalFace(9));
    // A plain frame would take the text's red; the border line is black.
    commentLabel->setStyleSheet(QStringLiteral("QLabel { border: 1px solid black; color: rgb(255, "
                                               "0, 0); background: rgb(224, 224, 224); }"));

    // Created after the labels, so where they overlap the trend boxes lie on top.
    const std::array<QPoint, 3> trendCorners{
        {{Twips(2020), Twips(215)}, {Twips(2830), Twips(215)}, {Twips(2600), Twips(425)}}};
    for (std::size_t i = 0; i < trendMarks.size(); ++i) {
        trendMarks[i] = new TrendView(this);
        trendMarks[i]->move(trendCorners[i]);
    }
}

void MainWindow::BuildPanes() {
    rxPane = new QListWidget(this);
    rxPane->setGeometry(TwipsRect(0, 1470, 3180, 390));
    rxPane->setFont(SmallFace(6.75));
    SetBackground(rxPane, PanelYellow);
    SetTextColour(rxPane, palette().color(QPalette::Disabled, QPalette::WindowText));
    // Long packets are cut at the edge, as in a plain list box: a horizontal
    // bar would cover the two rows this short pane has room for.
    rxPane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    rxPane->setUniformItemSizes(true);
    rxPane->hide();

    historyPane = new QPlainTextEdit(this);
    historyPane->setGeometry(TwipsRect(3200, 0, 3270, HistoryShortHeight));
    historyPane->setFont(SmallFace(6.75));
    SetBackground(historyPane, PanelYellow);
    historyPane->setReadOnly(true);
    historyPane->setLineWrapMode(QPlainTextEdit::NoWrap);
    historyPane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    historyPane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    historyPane->hide();
}

// A feed may change the model thousands of times in one turn of the event
// loop. The first change of a quiet moment is drawn at once; the ones that
// follow are drawn together when the loop comes round, and so on while they
// keep coming: at most one drawing per turn, always of the latest state.
void MainWindow::ScheduleRender() {
    if (renderScheduled) {
        changedSinceRender = true;
        return;
    }
    Render();
    renderScheduled = true;
    QTimer::singleShot(0, this, &MainWindow::RenderPending);
}

void MainWindow::RenderPending() {
    if (!changedSinceRender) {
        renderScheduled = false;
        return;
    }
    changedSinceRender = false;
    Render();
    QTimer::singleShot(0, this, &MainWindow::RenderPending);
}

void MainWindow::Render() {
    const DisplayModel &model = monitor.model;
    const QString title = WindowTitle(model);
    if (windowTitle() != title)
        setWindowTitle(title);
    const QString tip = PlainToolTip(Displayable(TrayToolTip(model)));
    if (trayIcon.toolTip() != tip)
        trayIcon.setToolTip(tip);
    ShowReading(windLabel, model.wind);
    ShowReading(temperatureLabel, model.temperature);
    ShowReading(humidityLabel, model.humidity);
    ShowReading(pressureLabel, model.pressure);
    const QString rainText = KeepUnitsWhole(Displayable(model.rain.text));
    const bool rainChanged =
        rainLabel->text() != rainText || rainPointSize != model.rainFontPointSize;
    ShowReading(rainLabel, model.rain, rainText);
    if (rainChanged) {
        rainPointSize = model.rainFontPointSize;
        QFont rainFont = rainLabel->font();
        rainFont.setPointSizeF(rainPointSize);
        rainFont = FittingFont(rainFont, *rainLabel);
        if (rainFont != rainLabel->font())
            rainLabel->setFont(rainFont);
    }
    // The data-stopped alarm takes the bottom line while it is on.
    const QString &bottomLine = model.dataStopped.isEmpty() ? model.comment : model.dataStopped;
    if (commentLabel->text() != bottomLine)
        commentLabel->setText(bottomLine);

    ShowReading(compassView->minutesLabel, {model.minutes, model.minutesColour});
    // The minutes let the mouse through, so the compass carries their tip.
    if (compassView->toolTip() != model.dataStopped)
        compassView->setToolTip(model.dataStopped);
    compassView->SetRequest(model.compass, monitor.config.Units);
    for (std::size_t i = 0; i < trendMarks.size(); ++i) {
        trendMarks[i]->SetMark(model.trends[i]);
    }
    if (model.rxRows != shownRows) {
        // Rows replaced in place keep the list's layout: a relayout for
        // every packet of a busy feed would never get its turn to paint.
        if (rxPane->count() == model.rxRows.size()) {
            for (int i = 0; i < rxPane->count(); ++i)
                rxPane->item(i)->setText(model.rxRows.at(i));
        } else {
            rxPane->clear();
            rxPane->addItems(model.rxRows);
        }
        shownRows = model.rxRows;
    }
    RenderHistory();
}

void MainWindow::RenderHistory() {
    const QString &history = monitor.model.history;
    if (history == shownHistory) {
        return;
    }
    // Appending keeps a long history cheap; anything else (the trim, a
    // clear, a CR LF split across two appends) redraws it whole.
    const bool appended = !shownHistory.isEmpty() && history.startsWith(shownHistory) &&
                          !shownHistory.endsWith(QLatin1Char('\r'));
    if (appended) {
        QTextCursor cursor(historyPane->document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(Displayable(history.mid(shownHistory.size())));
    } else {
        historyPane->setPlainText(Displayable(history));
    }
    shownHistory = history;
    historyPane->moveCursor(QTextCursor::End);
    historyPane->verticalScrollBar()->setValue(historyPane->verticalScrollBar()->maximum());
}

QSize MainWindow::FrameSize() const {
    const QSize frame = frameGeometry().size() - geometry().size();
    // Without a frame from the window manager (none yet, or none at all) the
    // client area keeps the proportions it was laid out for.
    if (frame.isNull()) {
        return TwipsSize(NarrowWidth - ClientWidth, CompactHeight - ClientHeight);
    }
    return frame;
}

int MainWindow::OuterWidth() const {
    return PixelsToTwips(width() + FrameSize().width());
}

int MainWindow::OuterHeight() const {
    return PixelsToTwips(height() + FrameSize().height());
}

void MainWindow::SetOuterWidth(int outerTwips) {
    setFixedSize(Twips(outerTwips) - FrameSize().width(), height());
}

void MainWindow::SetOuterHeight(int outerTwips) {
    setFixedSize(width(), Twips(outerTwips) - FrameSize().height());
}

void MainWindow::ToggleRxWindow() {
    const bool historyShown = !historyPane->isHidden();
    if (OuterHeight() == TallHeight) {
        SetOuterHeight(CompactHeight);
        rxPane->hide();
        if (historyShown) {
            historyPane->resize(historyPane->width(), Twips(HistoryShortHeight));
        }
    } else {
        SetOuterHeight(TallHeight);
        rxPane->show();
        if (historyShown) {
            historyPane->resize(historyPane->width(), Twips(HistoryTallHeight));
        }
    }
}

void MainWindow::ToggleHistoryWindow() {
    const bool rxShown = !rxPane->isHidden();
    if (OuterWidth() == WideWidth) {
        SetOuterWidth(NarrowWidth);
        historyPane->hide();
        if (rxShown) {
            historyPane->resize(historyPane->width(), Twips(HistoryShortHeight));
        }
    } else {
        SetOuterWidth(WideWidth);
        historyPane->show();
        if (rxShown) {
            historyPane->resize(historyPane->width(), Twips(HistoryTallHeight));
        }
    }
}

void MainWindow::RestoreFromTray() {
    trayIcon.hide();
    setWindowState(windowState() &
                   ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
    show();
}

void MainWindow::BringForward() {
    const Qt::WindowStates shape = Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;
    if ((windowState() & shape) || isHidden()) {
        RestoreFromTray();
        return;
    }
    activateWindow();
    raise();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress) {
        const auto *widget = qobject_cast<QWidget *>(watched);
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (widget == nullptr || widget->window() != this)
            return false;
        if (key == Qt::Key_F1) {
            emit helpRequested();
            return true;
        }
        if (key == Qt::Key_F2) {
            emit trendRequested();
            return true;
        }
        return false;
    }
    if (event->type() == QEvent::MouseButtonPress) {
        return HandleLabelPress(watched, *static_cast<QMouseEvent *>(event));
    }
    return QWidget::eventFilter(watched, event);
}

bool MainWindow::HandleLabelPress(QObject *watched, const QMouseEvent &press) {
    const bool onLabel = watched == windLabel || watched == rainLabel || watched == commentLabel;
    // Only the right button alone counts; left and right together do not.
    if (!onLabel || press.buttons() != Qt::RightButton) {
        return false;
    }
    if (watched != commentLabel) {
        emit settingsRequested();
    } else if (press.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) {
        ToggleHistoryWindow();
    } else {
        ToggleRxWindow();
    }
    return true;
}

void MainWindow::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        RetranslateUi();
    if (event->type() != QEvent::WindowStateChange || !(windowState() & Qt::WindowMinimized) ||
        !trayAvailable) {
        return;
    }
    trayIcon.show();
    // Hiding from inside the state change itself confuses some window managers.
    QTimer::singleShot(0, this, [this] {
        if (windowState() & Qt::WindowMinimized) {
            hide();
        }
    });
}

void MainWindow::closeEvent(QCloseEvent *event) {
    trayIcon.hide();
    emit closed();
    event->accept();
}

} // namespace anemora

#include "moc_main_window.cpp"
