#include "config/settings_dialog_host.h"

#include "config/frm_wx_setup.h"

#include <QApplication>
#include <QDebug>
#include <QEventLoop>
#include <QMessageBox>

namespace anemora {

SettingsDialogHost::SettingsDialogHost(WxConfig &config, StationMonitor &monitor, QObject *parent)
    : QObject(parent), config(config), monitor(monitor) {}

void SettingsDialogHost::AttachLinks(LinkControl &linkControl) {
    links = &linkControl;
}

void SettingsDialogHost::ShowMessage(MessageIcon icon, const QString &title, const QString &text) {
    if (quiet) {
        qWarning().noquote() << title << text;
        return;
    }
    const QMessageBox::Icon shown =
        icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::Warning;
    QMessageBox box(shown, title, QString(), QMessageBox::Ok, QApplication::activeWindow());
    // Boxes quote servers, socket errors and file names.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    box.exec();
}

bool SettingsDialogHost::IsSettingsDialogVisible() {
    return dialog && dialog->isVisible();
}

void SettingsDialogHost::ShowSettingsDialogModal() {
    Q_ASSERT(links);
    if (dialog) {
        // Already open without blocking: bring it forward and wait for it.
        QEventLoop wait;
        connect(dialog, &QDialog::finished, &wait, &QEventLoop::quit);
        connect(dialog, &QObject::destroyed, &wait, &QEventLoop::quit);
        ShowSettingsDialog();
        wait.exec();
        return;
    }
    frmWxSetup modal({config, *links, monitor, *this});
    dialog = &modal;
    modal.exec();
    emit dialogClosed();
}

void SettingsDialogHost::ShowSettingsDialog() {
    Q_ASSERT(links);
    if (!dialog) {
        dialog = new frmWxSetup({config, *links, monitor, *this});
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        connect(dialog, &QDialog::finished, this, &SettingsDialogHost::dialogClosed);
    }
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

} // namespace anemora

#include "moc_settings_dialog_host.cpp"
