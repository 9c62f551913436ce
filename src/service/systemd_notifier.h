// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

namespace anemora {

// What the service tells systemd (sd_notify): ready, its status line, and
// that its event loop still turns, when the unit asks for a watchdog.
// Without a service manager every call does nothing.
class SystemdNotifier : public QObject {
    Q_OBJECT
public:
    explicit SystemdNotifier(QObject *parent = nullptr);

    void Ready();
    // Sent only when it changed.
    void SetStatus(const QString &status);
    void Stopping();

private:
    void Send(const QByteArray &state);

    QTimer watchdog;
    QString status;
};

} // namespace anemora
