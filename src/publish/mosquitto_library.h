// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <mosquitto.h>

namespace anemora {

// The calls the publisher makes into libmosquitto. The library, and OpenSSL
// behind it, is loaded only once publishing is first turned on: a monitor
// that never publishes does not carry two megabytes of it.
struct MosquittoLibrary {
    decltype(&::mosquitto_new) create;
    decltype(&::mosquitto_destroy) destroy;
    decltype(&::mosquitto_connect_callback_set) connect_callback_set;
    decltype(&::mosquitto_log_callback_set) log_callback_set;
    decltype(&::mosquitto_will_set) will_set;
    decltype(&::mosquitto_username_pw_set) username_pw_set;
    decltype(&::mosquitto_tls_set) tls_set;
    decltype(&::mosquitto_connect) connect;
    decltype(&::mosquitto_disconnect) disconnect;
    decltype(&::mosquitto_socket) socket;
    decltype(&::mosquitto_want_write) want_write;
    decltype(&::mosquitto_loop_read) loop_read;
    decltype(&::mosquitto_loop_write) loop_write;
    decltype(&::mosquitto_loop_misc) loop_misc;
    decltype(&::mosquitto_publish) publish;
    decltype(&::mosquitto_connack_string) connack_string;
    decltype(&::mosquitto_strerror) strerror;
};

// The library, loaded and started by the first call; null when it is missing
// or lacks a call, with the loader's words in `error`.
const MosquittoLibrary *LoadMosquittoLibrary(QString &error);

} // namespace anemora
