#include "ui/frm_istruzioni.h"

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
    return std::max(1, twips(value));
}

} // namespace

QSize IstruzioniViewSize(QSize outerTwips) {
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

frmIstruzioni::frmIstruzioni(Prompts &prompts, QWidget *parent)
    : QWidget(parent, Qt::Window), rtfIstruzioni(new QTextBrowser(this)), prompts(prompts) {
    setWindowTitle(QStringLiteral("Istruzioni:"));
    setWindowIcon(style()->standardIcon(QStyle::SP_DialogHelpButton));
    resize(twipsSize(7680, 3960));
    // The gap the frame rule leaves beside the view takes the view's colour.
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::ToolTipBase));
    colours.setColor(QPalette::Base, colours.color(QPalette::ToolTipBase));
    colours.setColor(QPalette::Text, colours.color(QPalette::ToolTipText));
    setPalette(colours);
    setAutoFillBackground(true);
    // Read only: nothing typed here could ever be saved.
    rtfIstruzioni->setReadOnly(true);
    rtfIstruzioni->setOpenLinks(false);
    rtfIstruzioni->setFrameShape(QFrame::NoFrame);
    FitView();
}

void frmIstruzioni::Apri(const QString &NFileIstruzioni, const QString &Titolo) {
    DocumentPath = NFileIstruzioni;
    setWindowTitle(QStringLiteral(" ") + Titolo);
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

void frmIstruzioni::Centre() {
    const QScreen *target = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!target)
        return;
    const QRect area = target->geometry();
    const QSize outer = frameGeometry().size();
    move(area.x() + static_cast<int>(std::nearbyint((area.width() - outer.width()) / 2.0)),
         area.y() + static_cast<int>(std::nearbyint((area.height() - outer.height()) / 2.0)));
}

void frmIstruzioni::Activate() {
    if (reporting)
        return;
    const QString path =
        LocateDocument(DocumentPath, QDir::currentPath(), QCoreApplication::applicationDirPath());
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        reporting = true;
        prompts.ShowMessage(MessageIcon::Critical, QStringLiteral("Velmorin"),
                            QStringLiteral("Manca il file di help ") + DocumentPath);
        reporting = false;
        close();
        return;
    }
    ReadRtf(file.readAll(), *rtfIstruzioni->document());
    rtfIstruzioni->moveCursor(QTextCursor::Start);
    rtfIstruzioni->verticalScrollBar()->setValue(0);
    rtfIstruzioni->horizontalScrollBar()->setValue(0);
}

void frmIstruzioni::FitView() {
    if (isMinimized())
        return;
    const QSize outer = frameGeometry().size();
    const QSize view =
        IstruzioniViewSize({pixelsToTwips(outer.width()), pixelsToTwips(outer.height())});
    rtfIstruzioni->setGeometry(0, 0, AtLeastOnePixel(view.width()), AtLeastOnePixel(view.height()));
}

void frmIstruzioni::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && isVisible())
        Activate();
    else if (event->type() == QEvent::WindowStateChange)
        FitView();
}

void frmIstruzioni::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    FitView();
}

void frmIstruzioni::closeEvent(QCloseEvent *event) {
    loaded = false;
    event->accept();
    emit closed();
}

} // namespace anemora

#include "moc_frm_istruzioni.cpp"
