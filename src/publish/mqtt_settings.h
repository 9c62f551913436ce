// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QtGlobal>

namespace anemora {

// Where and how the station's readings are published. Off until the user
// turns it on; 1883 is the broker port without TLS, 8883 the usual one with.
struct MqttSettings {
    bool enabled = false;
    QString host;
    quint16 port = 1883;
    QString user; // empty: no login
    QString password;
    bool tls = false; // verified against the system's certificate authorities

    bool operator==(const MqttSettings &) const = default;
};

} // namespace anemora
