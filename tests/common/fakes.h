#pragma once

#include "platform/notifications.h"
#include "platform/prompts.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace anemora::test {

class SilentNotifications : public Notifications {
public:
    void PlaySound(const QString &) override {}
    void BringForward() override {}
    void RestartMinuteTimer() override {}
};

class RecordingNotifications : public Notifications {
public:
    void PlaySound(const QString &path) override { sounds.append(path); }
    void BringForward() override { ++broughtForward; }
    void RestartMinuteTimer() override { ++timerRestarts; }

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
class FakePrompts : public Prompts {
public:
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

    // Each box as "title: text", readable in a failed comparison.
    QStringList shownTexts() const {
        QStringList texts;
        for (const ShownMessage &message : messages)
            texts.append(message.title + QStringLiteral(": ") + message.text);
        return texts;
    }

    QList<ShownMessage> messages;
    std::function<void()> whileMessageShown;
    std::function<void()> whileDialogShown;
    bool dialogVisible = false;
    int dialogsShown = 0;
};

} // namespace anemora::test
