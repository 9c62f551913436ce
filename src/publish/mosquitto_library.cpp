// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "publish/mosquitto_library.h"

#include <QLibrary>

#include <mutex>

namespace anemora {

namespace {

template <typename Call> bool Resolve(QLibrary &library, const char *name, Call &call) {
    call = reinterpret_cast<Call>(library.resolve(name));
    return call != nullptr;
}

struct LoadedLibrary {
    MosquittoLibrary calls{};
    bool complete = false;
    QString error;
};

LoadedLibrary Load() {
    LoadedLibrary loaded;
    // The file name keeps major version 1 through the library's 2.x releases.
    QLibrary library(QStringLiteral("mosquitto"), 1);
    if (!library.load()) {
        loaded.error = library.errorString();
        return loaded;
    }
    MosquittoLibrary &c = loaded.calls;
    decltype(&::mosquitto_lib_init) libInit = nullptr;
    loaded.complete = Resolve(library, "mosquitto_lib_init", libInit) &&
                      Resolve(library, "mosquitto_new", c.create) &&
                      Resolve(library, "mosquitto_destroy", c.destroy) &&
                      Resolve(library, "mosquitto_connect_callback_set", c.connect_callback_set) &&
                      Resolve(library, "mosquitto_log_callback_set", c.log_callback_set) &&
                      Resolve(library, "mosquitto_will_set", c.will_set) &&
                      Resolve(library, "mosquitto_username_pw_set", c.username_pw_set) &&
                      Resolve(library, "mosquitto_tls_set", c.tls_set) &&
                      Resolve(library, "mosquitto_connect", c.connect) &&
                      Resolve(library, "mosquitto_disconnect", c.disconnect) &&
                      Resolve(library, "mosquitto_socket", c.socket) &&
                      Resolve(library, "mosquitto_want_write", c.want_write) &&
                      Resolve(library, "mosquitto_loop_read", c.loop_read) &&
                      Resolve(library, "mosquitto_loop_write", c.loop_write) &&
                      Resolve(library, "mosquitto_loop_misc", c.loop_misc) &&
                      Resolve(library, "mosquitto_publish", c.publish) &&
                      Resolve(library, "mosquitto_connack_string", c.connack_string) &&
                      Resolve(library, "mosquitto_strerror", c.strerror);
    if (!loaded.complete) {
        loaded.error = library.errorString();
        return loaded;
    }
    // Stays loaded for the process's life: client threads may outlive the
    // publisher.
    libInit();
    return loaded;
}

} // namespace

const MosquittoLibrary *LoadMosquittoLibrary(QString &error) {
    static const LoadedLibrary loaded = Load();
    error = loaded.error;
    return loaded.complete ? &loaded.calls : nullptr;
}

} // namespace anemora
