#pragma once

#include "platform/link_control.h"
#include "platform/prompts.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace anemora {

// Records every box and dialog; `onDialog` plays the user's part in the
// modal settings dialog.
class FakePrompts : public Prompts {
public:
    struct Message {
        MessageIcon icon;
        QString title;
        QString text;
    };
    void ShowMessage(MessageIcon icon, const QString &title, const QString &text) override {
        messages.append({icon, title, text});
        events.append(QStringLiteral("message"));
    }
    bool IsSettingsDialogVisible() override { return false; }
    void ShowSettingsDialogModal() override {
        events.append(QStringLiteral("dialog"));
        if (onDialog)
            onDialog();
    }

    QList<Message> messages;
    QStringList events;
    std::function<void()> onDialog;
};

// Logs link operations in the shared event list, so tests see their order
// relative to dialogs and messages.
class FakeLinks : public LinkControl {
public:
    explicit FakeLinks(QStringList &events) : events(events) {}
    void OpenAgwLink() override {
        events.append(QStringLiteral("open agw"));
        agwClosed = false;
    }
    void CloseAgwLink() override {
        events.append(QStringLiteral("close agw"));
        agwClosed = true;
    }
    bool IsAgwLinkClosed() const override { return agwClosed; }
    void OpenAprsLink() override {
        events.append(QStringLiteral("open aprs"));
        aprsClosed = false;
    }
    void CloseAprsLink() override {
        events.append(QStringLiteral("close aprs"));
        aprsClosed = true;
    }
    bool IsAprsLinkClosed() const override { return aprsClosed; }

    QStringList &events;
    bool agwClosed = true;
    bool aprsClosed = true;
};

} // namespace anemora
