// SPDX-License-Identifier: GPL-3.0-or-later
// GLib's checksums: GLib is loaded at every start anyway (Qt's event loop
// runs on it), where OpenSSL's libcrypto would add its own loading and
// set-up to each start.
#include <glib.h>

#include "platform/sha256.h"

namespace sonatrix {

std::string Sha256Hex(std::string_view bytes) {
    gchar* hex = g_compute_checksum_for_data(
        G_CHECKSUM_SHA256, reinterpret_cast<const guchar*>(bytes.data()), bytes.size());
    if (!hex)
        return {};
    std::string result(hex);
    g_free(hex);
    return result;
}

}  // namespace sonatrix
