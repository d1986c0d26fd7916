// SPDX-License-Identifier: GPL-3.0-or-later
#include "faulty_files.h"

namespace sonatrix::testing {

int FaultyFiles::Failed(Call call, const std::string& path) {
    // A full disk refuses a client's file as any other.
    const bool counted =
        call == fault_.call || (fault_.call == Call::Write && call == Call::ClientWrite);
    if (!counted || path.find(fault_.pathPart) == std::string::npos)
        return 0;
    ++seen_;
    if (seen_ < fault_.nth || (seen_ > fault_.nth && !fault_.lasting))
        return 0;
    ++struck_;
    if (fault_.before) {
        fault_.before(path);
        return 0;
    }
    return fault_.error;
}

int FaultyFiles::ListAll(const std::string& folder, std::vector<DirEntry>& out) {
    const int error = Failed(Call::Listing, folder);
    if (error == 0)
        return native_->ListAll(folder, out);
    // What was read before the listing stopped, handed back with its error:
    // a caller must not take it for the whole.
    if (!fault_.partial || native_->ListAll(folder, out) != 0)
        out.clear();
    out.resize(out.size() / 2);
    return error;
}

}  // namespace sonatrix::testing
