// SPDX-License-Identifier: GPL-3.0-or-later
// The platform's SHA-256 against the published test vectors.
#include <gtest/gtest.h>

#include <string>

#include "platform/sha256.h"

namespace sonatrix {
namespace {

TEST(Sha256, MatchesThePublishedVectors) {
    EXPECT_EQ(Sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(Sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(Sha256Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    EXPECT_EQ(Sha256Hex(std::string(1000000, 'a')),
              "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
    // Bytes, not text: a zero byte counts.
    EXPECT_NE(Sha256Hex(std::string("a\0", 2)), Sha256Hex("a"));
}

}  // namespace
}  // namespace sonatrix
