#pragma once

#include "platform/notifications.h"
#include "platform/prompts.h"

#include <QList>
#include <QString>

#include <functional>

namespace anemora {

struct FakeNotifications : Notifications {
    void PlaySound(const QString &path) override { sounds.append(path); }
    void BringForward() override { ++broughtForward; }
    void RestartElapsedTimer() override { ++timerRestarts; }

    QStringList sounds;
    int broughtForward = 0;
    int timerRestarts = 0;
};

struct ShownMessage {
    MessageIcon icon;
    QString title;
    QString text;
};

// Records what the user would see. The hooks run inside the box and the
// dialog, where the real ones run a nested event loop.
struct FakePrompts : Prompts {
    void ShowMessage(MessageIcon icon, const QString &title, const QString &text) override {
        messages.append({icon, title, text});
        if (whileMessageShown)
            whileMessageShown();
    }
    bool IsSettingsDialogVisible() override { return dialogVisible; }
    void ShowSettingsDialogModal() override {
        ++dialogsShown;
        if (whileDialogShown)
            whileDialogShown();
    }

    QList<ShownMessage> messages;
    std::function<void()> whileMessageShown;
    std::function<void()> whileDialogShown;
    bool dialogVisible = false;
    int dialogsShown = 0;
};

} // namespace anemora
