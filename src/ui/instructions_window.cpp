// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/instructions_window.h"

#include "ui/rtf_reader.h"
#include "ui/twips.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTextBrowser>

#include <algorithm>
#include <cmath>

namespace anemora {

namespace {

// What the layout keeps for the window's borders and title bar.
constexpr int FrameWidthTwips = 120;
constexpr int FrameHeightTwips = 480;

// Never below one pixel, however small the twips.
int AtLeastOnePixel(int value) {
    return std::max(1, Twips(value));
}

} // namespace

QSize InstructionsViewSize(QSize outerTwips) {
    return {std::max(1, outerTwips.width() - FrameWidthTwips),
            std::max(1, outerTwips.height() - FrameHeightTwips)};
}

QString LocateDocument(const QString &name, const QString &currentDir, const QString &appDir) {
    if (QFileInfo(name).isAbsolute())
        return QFileInfo(name).isFile() ? name : QString();
    for (const QString &dir : {currentDir, appDir}) {
        const QString path = QDir(dir).filePath(name);
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

InstructionsWindow::InstructionsWindow(Prompts &prompts, QWidget *parent)
    : QWidget(parent, Qt::Window), documentView(new QTextBrowser(this)), prompts(prompts) {
    setWindowTitle(tr("Istruzioni:"));
    setWindowIcon(style()->standardIcon(QStyle::SP_DialogHelpButton));
    resize(TwipsSize(7680, 3960));
    // The gap the frame rule leaves beside the view takes the view's colour.
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::ToolTipBase));
    colours.setColor(QPalette::Base, colours.color(QPalette::ToolTipBase));
    colours.setColor(QPalette::Text, colours.color(QPalette::ToolTipText));
    setPalette(colours);
    setAutoFillBackground(true);
    // Read only: nothing typed here could ever be saved.
    documentView->setReadOnly(true);
    documentView->setOpenLinks(false);
    documentView->setFrameShape(QFrame::NoFrame);
    FitView();
}

void InstructionsWindow::Open(const QString &name, const QString &title) {
    documentName = name;
    setWindowTitle(QStringLiteral(" ") + title);
    const bool firstShow = !loaded;
    loaded = true;
    show();
    // Centred once the platform knows the frame it draws around the window.
    if (firstShow)
        Centre();
    raise();
    activateWindow();
    // Activation does not always follow (the window may be active already,
    // or still count as active after it was closed), so load here too.
    Activate();
}

void InstructionsWindow::Centre() {
    const QScreen *target = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!target)
        return;
    const QRect area = target->geometry();
    const QSize outer = frameGeometry().size();
    move(area.x() + static_cast<int>(std::nearbyint((area.width() - outer.width()) / 2.0)),
         area.y() + static_cast<int>(std::nearbyint((area.height() - outer.height()) / 2.0)));
}

void InstructionsWindow::Activate() {
    if (reporting)
        return;
    const QString path =
        LocateDocument(documentName, QDir::currentPath(), QCoreApplication::applicationDirPath());
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        reporting = true;
        prompts.ShowMessage(MessageIcon::Critical, QStringLiteral("Velmorin"),
                            tr("Manca il file di help %1").arg(documentName));
        reporting = false;
        close();
        return;
    }
    ReadRtf(file.readAll(), *documentView->document());
    documentView->moveCursor(QTextCursor::Start);
    documentView->verticalScrollBar()->setValue(0);
    documentView->horizontalScrollBar()->setValue(0);
}

void InstructionsWindow::FitView() {
    if (isMinimized())
        return;
    const QSize outer = frameGeometry().size();
    const QSize view =
        InstructionsViewSize({PixelsToTwips(outer.width()), PixelsToTwips(outer.height())});
    documentView->setGeometry(0, 0, AtLeastOnePixel(view.width()), AtLeastOnePixel(view.height()));
}

void InstructionsWindow::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && isVisible())
        Activate();
    else if (event->type() == QEvent::WindowStateChange)
        FitView();
}

void InstructionsWindow::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    FitView();
}

void InstructionsWindow::closeEvent(QCloseEvent *event) {
    loaded = false;
    event->accept();
    emit closed();
}

} // namespace anemora

#include "moc_instructions_window.cpp"
