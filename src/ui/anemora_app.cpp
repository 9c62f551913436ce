#include "ui/anemora_app.h"

#include <QApplication>
#include <QGuiApplication>

namespace anemora {

AnemoraApp::AnemoraApp(const QString &appDir, QObject *parent)
    : QObject(parent), monitor(config, *this, appDir), prompts(config, monitor),
      links(config, monitor, prompts), startup(config, monitor, links, prompts, appDir),
      window(monitor), viewer(prompts) {
    prompts.AttachLinks(links);
    connect(&window, &frmWx::settingsRequested, &prompts, &SettingsDialogHost::ShowSettingsDialog);
    connect(&window, &frmWx::helpRequested, this, [this] {
        viewer.Apri(QStringLiteral("Leggimi.rtf"), QStringLiteral("Anemora - Istruzioni"));
    });
    connect(&window, &frmWx::closed, this, &AnemoraApp::Unload);

    // Qt would quit as soon as no window is visible, which also happens
    // while the main window sits in the tray and a box or the settings
    // dialog is closed. The program ends only once the main window itself
    // has been closed and no other window remains.
    QApplication::setQuitOnLastWindowClosed(false);
    connect(qApp, &QGuiApplication::lastWindowClosed, this, &AnemoraApp::LastWindowClosed);
}

AnemoraApp::~AnemoraApp() {
    // A socket torn down while connected reports a close by the peer; the
    // links are closed first so that ending never raises a message box.
    links.CloseAgwLink();
    links.CloseAprsLink();
}

void AnemoraApp::Start(const QString &commandLine) {
    startup.Run(commandLine);
    window.show();
}

void AnemoraApp::PlaySound(const QString &path) {
    sound.PlaySound(path);
}

void AnemoraApp::BringForward() {
    window.BringForward();
}

void AnemoraApp::RestartElapsedTimer() {
    window.RestartElapsedTimer();
}

void AnemoraApp::Unload() {
    if (unloaded) {
        return;
    }
    unloaded = true;
    startup.Shutdown();
}

void AnemoraApp::LastWindowClosed() {
    if (unloaded) {
        QCoreApplication::quit();
    }
}

} // namespace anemora

#include "moc_anemora_app.cpp"
