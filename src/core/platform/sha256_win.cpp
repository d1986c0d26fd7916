// SPDX-License-Identifier: GPL-3.0-or-later
// Windows' CNG (bcrypt.dll), there since Vista.
#include <windows.h>

#include <bcrypt.h>

#include <algorithm>

#include "platform/sha256.h"

namespace sonatrix {
namespace {

constexpr ULONG kDigestSize = 32;

bool Succeeded(NTSTATUS status) {
    return status >= 0;
}

}  // namespace

std::string Sha256Hex(std::string_view bytes) {
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    if (!Succeeded(BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0)))
        return {};
    unsigned char digest[kDigestSize];
    BCRYPT_HASH_HANDLE hash = nullptr;
    bool done = Succeeded(BCryptCreateHash(algorithm, &hash, nullptr, 0, nullptr, 0, 0));
    // Fed in pieces: one call takes at most 4 GiB.
    std::string_view rest = bytes;
    while (done && !rest.empty()) {
        const ULONG chunk = static_cast<ULONG>(std::min<std::size_t>(rest.size(), 1u << 30));
        done = Succeeded(BCryptHashData(
            hash, reinterpret_cast<PUCHAR>(const_cast<char*>(rest.data())), chunk, 0));
        rest.remove_prefix(chunk);
    }
    done = done && Succeeded(BCryptFinishHash(hash, digest, kDigestSize, 0));
    if (hash)
        BCryptDestroyHash(hash);
    BCryptCloseAlgorithmProvider(algorithm, 0);
    if (!done)
        return {};
    static constexpr char kHex[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char byte : digest) {
        hex += kHex[byte >> 4];
        hex += kHex[byte & 0xF];
    }
    return hex;
}

}  // namespace sonatrix
