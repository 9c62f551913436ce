#pragma once

#include <QtGlobal>

namespace anemora {

// Ports live in 16-bit signed fields; one above 32767 is held as its two's
// complement (as a test server's ephemeral port is), so read the bits back
// as the unsigned port they are.
inline quint16 LinkPort(qint16 port) {
    return static_cast<quint16>(port);
}

} // namespace anemora
