// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "config/wx_config.h"
#include "platform/link_control.h"
#include "platform/notifications.h"
#include "platform/prompts.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace anemora::test {

// Records every side effect of report processing.
class FakeNotifications : public Notifications {
public:
    void PlaySound(const QString &path) override { sounds.append(path); }
    void BringForward() override { ++broughtForward; }
    void RestartMinuteTimer() override { ++timerRestarts; }

    QStringList sounds;
    int broughtForward = 0;
    int timerRestarts = 0;
};

// The fuzz targets' name for it.
using SilentNotifications = FakeNotifications;

struct ShownMessage {
    MessageIcon icon;
    QString title;
    QString text;
};

// Records what the user would see, in `events` with the order of boxes and
// dialogs. The hooks run inside the box and the dialog, where the real ones
// run a nested event loop.
class FakePrompts : public Prompts {
public:
    void ShowMessage(MessageIcon icon, const QString &title, const QString &text) override {
        messages.append({icon, title, text});
        events.append(QStringLiteral("message"));
        if (whileMessageShown)
            whileMessageShown();
    }
    bool IsSettingsDialogVisible() override { return dialogVisible; }
    void ShowSettingsDialogModal() override {
        ++dialogsShown;
        events.append(QStringLiteral("dialog"));
        if (whileDialogShown)
            whileDialogShown();
    }

    // Each box as "title: text", readable in a failed comparison.
    QStringList shownTexts() const {
        QStringList texts;
        for (const ShownMessage &message : messages)
            texts.append(message.title + QStringLiteral(": ") + message.text);
        return texts;
    }

    QList<ShownMessage> messages;
    QStringList events;
    std::function<void()> whileMessageShown;
    std::function<void()> whileDialogShown;
    bool dialogVisible = false;
    int dialogsShown = 0;
};

// Links that only record what was asked of them, with the address the
// settings held at the moment a link was opened. `sharedLog` (say
// FakePrompts::events) shows their order among boxes and dialogs.
class FakeLinks : public LinkControl {
public:
    explicit FakeLinks(const WxConfig &config, QStringList *sharedLog = nullptr)
        : config(config), log(sharedLog ? *sharedLog : ownLog) {}
    FakeLinks(const FakeLinks &) = delete;
    FakeLinks &operator=(const FakeLinks &) = delete;

    void OpenAgwLink() override {
        agwOpen = true;
        log << "open agw " + config.AgwHost + ":" + QString::number(config.AgwPort);
    }
    void CloseAgwLink() override {
        agwOpen = false;
        log << "close agw";
    }
    bool IsAgwLinkClosed() const override { return !agwOpen; }
    void OpenAprsLink() override {
        aprsOpen = true;
        log << "open aprs " + config.AprsHost + ":" + QString::number(config.AprsPort);
    }
    void CloseAprsLink() override {
        aprsOpen = false;
        log << "close aprs";
    }
    bool IsAprsLinkClosed() const override { return !aprsOpen; }
    void StopReconnecting() override { log << "stop reconnecting"; }

    const WxConfig &config;
    bool agwOpen = false;
    bool aprsOpen = false;

private:
    QStringList ownLog;

public:
    QStringList &log;
};

} // namespace anemora::test
