// SPDX-License-Identifier: GPL-3.0-or-later
// Scripted answers a test queued but no dialog took fail that test.
#include <gtest/gtest.h>

#include "scripted_dialogs.h"

namespace {

const bool installed = [] {
    sonatrix::testing::SetLeftoverAnswersHandler([](std::size_t count) {
        ADD_FAILURE() << count << " scripted dialog answers were queued but never taken";
    });
    return true;
}();

}  // namespace
