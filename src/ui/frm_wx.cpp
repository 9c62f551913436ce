#include "ui/frm_wx.h"

#include "ui/compass_view.h"
#include "ui/twips.h"
#include "ui/ui_style.h"

#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>

namespace anemora {

namespace {

constexpr int ElapsedIntervalMs = 60000;
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

void ShowReading(QLabel *label, const ReadingLabel &reading) {
    label->setText(reading.text);
    SetTextColour(label, reading.colour == ReadingColour::Alarm ? AlarmRed : ReadingBlue);
}

// The model keeps the program's CR LF and lone CR line ends; Qt's text
// widgets break lines at LF only.
QString Displayable(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

// A unit such as "g/m³" or "mm/24h" must not be split at its slash when the
// rain block wraps.
QString KeepUnitsWhole(QString text) {
    return text.replace(QLatin1Char('/'), QStringLiteral("/\u2060"));
}

} // namespace

frmWx::frmWx(StationMonitor &monitor, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      monitor(monitor) {
    setFixedSize(twipsSize(ClientWidth, ClientHeight));
    SetBackground(this, PanelYellow);
    const QIcon icon(QStringLiteral(":/anemora/anemora.png"));
    setWindowIcon(icon);
    cSysTray1.setIcon(icon);

    picWx = new CompassView(this);
    picWx->move(0, 0);
    BuildLabels();
    BuildPanes();

    // One application-wide filter sees F1 whichever control has the focus,
    // and the presses on the three labels that react to the mouse.
    qApp->installEventFilter(this);
    connect(&monitor, &StationMonitor::displayChanged, this, &frmWx::Render);
    connect(&cSysTray1, &QSystemTrayIcon::activated, this, &frmWx::RestoreFromTray);
    tmrElapsed.setInterval(ElapsedIntervalMs);
    connect(&tmrElapsed, &QTimer::timeout, &monitor, &StationMonitor::ElapsedTick);
    tmrElapsed.start();
    Render();
}

void frmWx::BuildLabels() {
    lblWxData = AddLabel(this, twipsRect(1200, -10, 1935, 255), Qt::AlignHCenter, PanelYellow);
    lblWxData->setToolTip(
        QStringLiteral("Click col tasto destro del muose per avviare il Setup. F1=Help"));
    lblTemp = AddLabel(this, twipsRect(1300, 215, 735, 255), Qt::AlignRight, PanelYellow);
    lblUR = AddLabel(this, twipsRect(2250, 215, 615, 255), Qt::AlignRight, PanelYellow);
    lblPress = AddLabel(this, twipsRect(1250, 425, 1335, 255), Qt::AlignRight, PanelYellow);
    lblRain = AddLabel(this, twipsRect(1200, 650, 1935, 580), Qt::AlignHCenter, PanelYellow);
    lblRain->setWordWrap(true);
    lblRain->setToolTip(QStringLiteral("Click col tasto destro del mouse per avviare il Setup"));

    lblWxComment =
        AddLabel(this, twipsRect(0, 1210, 3180, 255), Qt::AlignHCenter, QColor(224, 224, 224));
    lblWxComment->setFont(TerminalFace(9));
    // A plain frame would take the text's red; the border line is black.
    lblWxComment->setStyleSheet(QStringLiteral("QLabel { border: 1px solid black; color: rgb(255, "
                                               "0, 0); background: rgb(224, 224, 224); }"));
    lblWxComment->setToolTip(
        QStringLiteral("Click o Shift-Click col tasto destro per "
                       "abilitare/disabilitare le finestre Rx o Dati storici"));

    // Created after the labels, so where they overlap the trend boxes lie on top.
    const std::array<QPoint, 3> trendCorners{
        {{twips(2020), twips(215)}, {twips(2830), twips(215)}, {twips(2600), twips(425)}}};
    for (std::size_t i = 0; i < picVar.size(); ++i) {
        picVar[i] = new TrendView(this);
        picVar[i]->move(trendCorners[i]);
    }
}

void frmWx::BuildPanes() {
    List2 = new QListWidget(this);
    List2->setGeometry(twipsRect(0, 1470, 3180, 390));
    List2->setFont(SmallFace(6.75));
    SetBackground(List2, PanelYellow);
    SetTextColour(List2, palette().color(QPalette::Disabled, QPalette::WindowText));
    // Long packets are cut at the edge, as in a plain list box: a horizontal
    // bar would cover the two rows this short pane has room for.
    List2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    List2->setUniformItemSizes(true);
    List2->hide();

    Text1 = new QPlainTextEdit(this);
    Text1->setGeometry(twipsRect(3200, 0, 3270, HistoryShortHeight));
    Text1->setFont(SmallFace(6.75));
    SetBackground(Text1, PanelYellow);
    Text1->setReadOnly(true);
    Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->hide();
}

void frmWx::Render() {
    const DisplayModel &model = monitor.model;
    setWindowTitle(model.caption);
    // Until a report or a link sets the tray tip, the caption names the window.
    cSysTray1.setToolTip(PlainToolTip(model.trayTip.isEmpty() ? model.caption : model.trayTip));
    ShowReading(lblWxData, model.lblWxData);
    ShowReading(lblTemp, model.lblTemp);
    ShowReading(lblUR, model.lblUR);
    ShowReading(lblPress, model.lblPress);
    ShowReading(lblRain, model.lblRain);
    lblRain->setText(KeepUnitsWhole(Displayable(model.lblRain.text)));
    QFont rainFont = lblRain->font();
    rainFont.setPointSizeF(model.rainFontPointSize);
    lblRain->setFont(rainFont);
    lblWxComment->setText(model.lblWxComment);

    picWx->lblElapsed->setText(model.lblElapsed);
    picWx->SetRequest(model.compass);
    for (std::size_t i = 0; i < picVar.size(); ++i) {
        picVar[i]->SetMark(model.picVar[i]);
    }
    if (model.List2 != shownRows) {
        List2->clear();
        List2->addItems(model.List2);
        shownRows = model.List2;
    }
    RenderHistory();
}

void frmWx::RenderHistory() {
    const QString &history = monitor.model.Text1;
    if (history == shownHistory) {
        return;
    }
    // Appending keeps a long history cheap; anything else (the trim, a
    // clear, a CR LF split across two appends) redraws it whole.
    const bool appended = !shownHistory.isEmpty() && history.startsWith(shownHistory) &&
                          !shownHistory.endsWith(QLatin1Char('\r'));
    if (appended) {
        QTextCursor cursor(Text1->document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(Displayable(history.mid(shownHistory.size())));
    } else {
        Text1->setPlainText(Displayable(history));
    }
    shownHistory = history;
    Text1->moveCursor(QTextCursor::End);
    Text1->verticalScrollBar()->setValue(Text1->verticalScrollBar()->maximum());
}

QSize frmWx::FrameSize() const {
    const QSize frame = frameGeometry().size() - geometry().size();
    // Without a frame from the window manager (none yet, or none at all) the
    // client area keeps the proportions it was laid out for.
    if (frame.isNull()) {
        return twipsSize(NarrowWidth - ClientWidth, CompactHeight - ClientHeight);
    }
    return frame;
}

int frmWx::OuterWidth() const {
    return pixelsToTwips(width() + FrameSize().width());
}

int frmWx::OuterHeight() const {
    return pixelsToTwips(height() + FrameSize().height());
}

void frmWx::SetOuterWidth(int outerTwips) {
    setFixedSize(twips(outerTwips) - FrameSize().width(), height());
}

void frmWx::SetOuterHeight(int outerTwips) {
    setFixedSize(width(), twips(outerTwips) - FrameSize().height());
}

void frmWx::ToggleRxWindow() {
    const bool historyShown = !Text1->isHidden();
    if (OuterHeight() == TallHeight) {
        SetOuterHeight(CompactHeight);
        List2->hide();
        if (historyShown) {
            Text1->resize(Text1->width(), twips(HistoryShortHeight));
        }
    } else {
        SetOuterHeight(TallHeight);
        List2->show();
        if (historyShown) {
            Text1->resize(Text1->width(), twips(HistoryTallHeight));
        }
    }
}

void frmWx::ToggleHistoryWindow() {
    const bool rxShown = !List2->isHidden();
    if (OuterWidth() == WideWidth) {
        SetOuterWidth(NarrowWidth);
        Text1->hide();
        if (rxShown) {
            Text1->resize(Text1->width(), twips(HistoryShortHeight));
        }
    } else {
        SetOuterWidth(WideWidth);
        Text1->show();
        if (rxShown) {
            Text1->resize(Text1->width(), twips(HistoryTallHeight));
        }
    }
}

void frmWx::RestoreFromTray() {
    cSysTray1.hide();
    setWindowState(windowState() &
                   ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
    show();
}

void frmWx::BringForward() {
    const Qt::WindowStates shape = Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;
    if ((windowState() & shape) || isHidden()) {
        RestoreFromTray();
        return;
    }
    activateWindow();
    raise();
}

void frmWx::RestartElapsedTimer() {
    tmrElapsed.start();
}

bool frmWx::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress) {
        const auto *widget = qobject_cast<QWidget *>(watched);
        if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_F1 && widget != nullptr &&
            widget->window() == this) {
            emit helpRequested();
            return true;
        }
        return false;
    }
    if (event->type() == QEvent::MouseButtonPress) {
        return HandleLabelPress(watched, *static_cast<QMouseEvent *>(event));
    }
    return QWidget::eventFilter(watched, event);
}

bool frmWx::HandleLabelPress(QObject *watched, const QMouseEvent &press) {
    const bool onLabel = watched == lblWxData || watched == lblRain || watched == lblWxComment;
    // Only the right button alone counts; left and right together do not.
    if (!onLabel || press.buttons() != Qt::RightButton) {
        return false;
    }
    if (watched != lblWxComment) {
        emit settingsRequested();
    } else if (press.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) {
        ToggleHistoryWindow();
    } else {
        ToggleRxWindow();
    }
    return true;
}

void frmWx::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !(windowState() & Qt::WindowMinimized) ||
        !trayAvailable) {
        return;
    }
    cSysTray1.show();
    // Hiding from inside the state change itself confuses some window managers.
    QTimer::singleShot(0, this, [this] {
        if (windowState() & Qt::WindowMinimized) {
            hide();
        }
    });
}

void frmWx::closeEvent(QCloseEvent *event) {
    cSysTray1.hide();
    emit closed();
    event->accept();
}

} // namespace anemora

#include "moc_frm_wx.cpp"
