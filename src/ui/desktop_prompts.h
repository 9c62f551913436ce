// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "config/wx_config.h"
#include "platform/link_control.h"
#include "platform/monitor_control.h"
#include "platform/prompts.h"

#include <QObject>
#include <QPointer>

class QMessageBox;

namespace anemora {

class MqttPublisher;
class SettingsDialog;

// The message boxes and the settings dialog of the running program. At most
// one settings dialog exists; asking for another brings it to the front.
class DesktopPrompts : public QObject, public Prompts {
    Q_OBJECT
public:
    DesktopPrompts(WxConfig &config, MonitorControl &monitor, QObject *parent = nullptr);

    // The links need this host for their messages, so they are attached
    // once both exist, before any dialog is shown.
    void AttachLinks(LinkControl &links);
    // The dialog shows how publishing is going while it is open.
    void AttachPublisher(const MqttPublisher &publisher);

    void ShowMessage(MessageIcon icon, const QString &title, const QString &text) override;
    bool IsSettingsDialogVisible() override;
    // Returns once the dialog is closed.
    void ShowSettingsDialogModal() override;
    // Returns at once; the main window stays usable.
    void ShowSettingsDialog();

    SettingsDialog *CurrentDialog() const { return dialog; }

    // The program is ending: closes the open box and dialog, and shows no
    // other; messages go to the log from now on.
    void CloseAll();

    // Messages go to the log instead of a box: set while the program saves
    // or ends at the request of the system, with nobody to answer a box.
    bool quiet = false;

signals:
    void dialogClosed();

private:
    void FollowPublisher(SettingsDialog &shown);

    WxConfig &config;
    MonitorControl &monitor;
    LinkControl *links = nullptr;
    const MqttPublisher *publisher = nullptr;
    QPointer<SettingsDialog> dialog;
    QPointer<QMessageBox> box;
    bool closedForGood = false;
};

} // namespace anemora
