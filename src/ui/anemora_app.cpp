#include "ui/anemora_app.h"

#include <QApplication>

namespace anemora {

AnemoraApp::AnemoraApp(const QString &appDir, const QString &settingsDir, QObject *parent)
    : QObject(parent), monitor(config, *this, appDir), prompts(config, monitor),
      links(config, monitor, prompts), startup(config, monitor, links, prompts, settingsDir),
      window(monitor), viewer(prompts) {
    prompts.AttachLinks(links);
    connect(&window, &frmWx::settingsRequested, &prompts, &SettingsDialogHost::ShowSettingsDialog);
    connect(&window, &frmWx::helpRequested, this, [this] {
        viewer.Apri(QStringLiteral("Leggimi.rtf"), QStringLiteral("Anemora - Istruzioni"));
    });
    connect(&window, &frmWx::closed, this, &AnemoraApp::Unload);
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

} // namespace anemora

#include "moc_anemora_app.cpp"
