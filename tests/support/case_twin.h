// SPDX-License-Identifier: GPL-3.0-or-later
// A file whose name differs from one beside it in letter case only
// ("MSG.wav" beside "msg.wav"), as a client folder on a Unix disk may hold.
// Under Wine the Windows calls would open the file already there, so the
// twin is made from the Unix side.
#pragma once

#include <filesystem>
#include <string>

namespace sonatrix::testing {

// Puts `bytes` under `name` in `folder`; false where the disk cannot hold
// two such names (Windows itself).
bool PutCaseTwin(const std::filesystem::path& folder, const std::string& name,
                 const std::string& bytes);

}  // namespace sonatrix::testing
