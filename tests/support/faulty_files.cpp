// SPDX-License-Identifier: GPL-3.0-or-later
#include "faulty_files.h"

namespace sonatrix::testing {

int FaultyFiles::Strike(Call call, const std::string& path) {
    const bool write = call == Call::ClientWrite || call == Call::Write;
    // A full disk refuses a client's file as any other.
    const bool counted = call == fault_.call || (fault_.call == Call::Write && write);
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

bool FaultyFiles::ListFolder(const std::string& folder, std::vector<DirEntry>& out) {
    if (Strike(Call::Listing, folder) != 0) {
        out.clear();
        return false;
    }
    return native_->ListFolder(folder, out);
}

bool FaultyFiles::ListPattern(const std::string& folder, std::string_view pattern,
                              std::vector<DirEntry>& out) {
    if (Strike(Call::Listing, folder) != 0) {
        out.clear();
        return false;
    }
    return native_->ListPattern(folder, pattern, out);
}

int FaultyFiles::ListAll(const std::string& folder, std::vector<DirEntry>& out) {
    if (const int error = Strike(Call::Listing, folder)) {
        // What was read before the listing stopped, handed back with its
        // error: a caller must not take it for the whole.
        if (fault_.partial && native_->ListAll(folder, out) == 0)
            out.resize(out.size() / 2);
        else
            out.clear();
        return error;
    }
    return native_->ListAll(folder, out);
}

int FaultyFiles::CopyFile(const std::string& source, const std::string& destination) {
    if (const int error = Strike(Call::Write, destination))
        return error;
    return native_->CopyFile(source, destination);
}

int FaultyFiles::WriteWholeFile(const std::string& path, std::string_view bytes) {
    if (const int error = Strike(Call::Write, path))
        return error;
    return native_->WriteWholeFile(path, bytes);
}

int FaultyFiles::CreateFolder(const std::string& path) {
    if (const int error = Strike(Call::Write, path))
        return error;
    return native_->CreateFolder(path);
}

int FaultyFiles::ReadWholeFile(const std::string& path, std::string& bytes) {
    if (const int error = Strike(Call::Read, path))
        return error;
    return native_->ReadWholeFile(path, bytes);
}

int FaultyFiles::ReadSharedFile(const std::string& path, std::string& bytes) {
    if (const int error = Strike(Call::Read, path))
        return error;
    return native_->ReadSharedFile(path, bytes);
}

int FaultyFiles::CreateNewFile(const std::string& path, std::string_view bytes) {
    if (const int error = Strike(Call::Write, path))
        return error;
    return native_->CreateNewFile(path, bytes);
}

int FaultyFiles::MakeLink(const std::string& target, const std::string& path) {
    if (const int error = Strike(Call::Write, path))
        return error;
    return native_->MakeLink(target, path);
}

int FaultyFiles::Identify(const std::string& path, FileIdentity& identity) {
    if (const int error = Strike(Call::Look, path))
        return error;
    return native_->Identify(path, identity);
}

int FaultyFiles::ReplaceFile(const std::string& source, const std::string& path,
                             FileIdentity& identity) {
    if (const int error = Strike(Call::ClientWrite, path))
        return error;
    return native_->ReplaceFile(source, path, identity);
}

int FaultyFiles::ReplaceWithLink(const std::string& target, const std::string& path,
                                 FileIdentity& identity) {
    if (const int error = Strike(Call::ClientWrite, path))
        return error;
    return native_->ReplaceWithLink(target, path, identity);
}

int FaultyFiles::RemoveEntry(const std::string& path, FileIdentity& identity) {
    if (const int error = Strike(Call::ClientWrite, path))
        return error;
    return native_->RemoveEntry(path, identity);
}

}  // namespace sonatrix::testing
