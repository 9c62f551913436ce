// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/desktop_prompts.h"

#include "publish/mqtt_publisher.h"
#include "ui/settings_dialog.h"

#include <QApplication>
#include <QDebug>
#include <QEventLoop>
#include <QMessageBox>
#include <QStringList>

namespace anemora {

DesktopPrompts::DesktopPrompts(WxConfig &config, MonitorControl &monitor, QObject *parent)
    : QObject(parent), config(config), monitor(monitor) {}

void DesktopPrompts::AttachLinks(LinkControl &linkControl) {
    links = &linkControl;
}

void DesktopPrompts::AttachPublisher(const MqttPublisher &mqttPublisher) {
    publisher = &mqttPublisher;
}

void DesktopPrompts::FollowPublisher(SettingsDialog &shown) {
    if (!publisher)
        return;
    // A password that could not be saved is told first, until a save keeps
    // it: it asks something of the user.
    const auto show = [&shown, publisher = publisher, &config = config] {
        QStringList lines{publisher->StatusText()};
        if (!config.MqttPasswordWarning.isEmpty())
            lines.prepend(config.MqttPasswordWarning);
        shown.ShowPublishingStatus(lines.join(QLatin1Char('\n')));
    };
    show();
    connect(publisher, &MqttPublisher::statusChanged, &shown, show);
}

void DesktopPrompts::ShowMessage(MessageIcon icon, const QString &title, const QString &text) {
    if (quiet) {
        qWarning().noquote() << title << text;
        return;
    }
    const QMessageBox::Icon shown =
        icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::Warning;
    QMessageBox shownBox(shown, title, QString(), QMessageBox::Ok, QApplication::activeWindow());
    // Boxes quote servers, socket errors and file names.
    shownBox.setTextFormat(Qt::PlainText);
    shownBox.setText(text);
    box = &shownBox;
    shownBox.exec();
}

void DesktopPrompts::CloseAll() {
    closedForGood = true;
    quiet = true;
    if (box)
        box->reject();
    if (dialog)
        dialog->reject();
}

bool DesktopPrompts::IsSettingsDialogVisible() {
    return dialog && dialog->isVisible();
}

void DesktopPrompts::ShowSettingsDialogModal() {
    Q_ASSERT(links);
    if (closedForGood)
        return;
    if (dialog) {
        // Already open without blocking: bring it forward and wait for it.
        QEventLoop wait;
        connect(dialog, &QDialog::finished, &wait, &QEventLoop::quit);
        connect(dialog, &QObject::destroyed, &wait, &QEventLoop::quit);
        ShowSettingsDialog();
        wait.exec();
        return;
    }
    SettingsDialog modal({config, *links, monitor, *this});
    FollowPublisher(modal);
    dialog = &modal;
    modal.exec();
    emit dialogClosed();
}

void DesktopPrompts::ShowSettingsDialog() {
    Q_ASSERT(links);
    if (closedForGood)
        return;
    if (!dialog) {
        dialog = new SettingsDialog({config, *links, monitor, *this});
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        FollowPublisher(*dialog);
        connect(dialog, &QDialog::finished, this, &DesktopPrompts::dialogClosed);
    }
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

} // namespace anemora

#include "moc_desktop_prompts.cpp"
