#include "originals/change_run.h"

#include "platform/files.h"
#include "platform/folder_key.h"
#include "platform/path_pieces.h"
#include "platform/sha256.h"

namespace sonatrix {

ChangeRun::ChangeRun(OriginalsStore store, std::string name, std::string folder)
    : store_(std::move(store)), folder_(std::move(folder)) {
    entry_.name = std::move(name);
}

ChangeRun::~ChangeRun() {
    Finish();
}

void ChangeRun::Keep(const std::vector<std::string>& names) {
    if (key_.empty())
        key_ = store_.KeyOf(folder_);
    FolderOriginals originals;
    // Without a folder (the client's, or the user's data folder) there is
    // nowhere to keep anything, and nothing will be written.
    const int recordError = store_.Folder().empty() || key_.empty()
                                ? PathNotFoundCode()
                                : store_.ReadOriginals(key_, originals);
    const std::size_t firstNew = planned_.size();
    bool newOriginal = false;
    for (const std::string& name : names) {
        const std::string onDisk = OnDiskName(name);
        if (Find(onDisk))
            continue;
        Planned planned;
        planned.name = onDisk;
        planned.keepError = recordError;
        if (planned.keepError == 0)
            planned.keepError = store_.KeepContentOf(folder_ + name, planned.before);
        if (planned.keepError == 0 && !originals.Find(planned.name)) {
            originals.files.push_back({planned.name, planned.before});
            newOriginal = true;
        }
        planned_.push_back(std::move(planned));
    }
    // The originals first, then the journal: each a file written whole.
    int error = newOriginal ? store_.WriteOriginals(originals) : 0;
    bool anyKept = false;
    for (std::size_t i = firstNew; i < planned_.size(); ++i)
        anyKept = anyKept || planned_[i].keepError == 0;
    if (error == 0 && anyKept)
        error = WriteEntry(false);
    if (error != 0) {
        for (std::size_t i = firstNew; i < planned_.size(); ++i) {
            if (planned_[i].keepError == 0)
                planned_[i].keepError = error;
        }
    }
}

std::string ChangeRun::OnDiskName(const std::string& name) const {
    return store_.NameInFolder(folder_, name);
}

ChangeRun::Planned* ChangeRun::Find(const std::string& onDisk) {
    for (Planned& planned : planned_) {
        if (SameFileName(planned.name, onDisk))
            return &planned;
    }
    return nullptr;
}

ChangeRun::Planned& ChangeRun::Plan(const std::string& name) {
    if (Planned* planned = Find(OnDiskName(name)))
        return *planned;
    Keep({name});
    return planned_.back();
}

int ChangeRun::Copy(const std::string& source, const std::string& name) {
    Planned& planned = Plan(name);
    if (planned.keepError != 0)
        return planned.keepError;
    FileSystem& files = store_.Files();
    std::string bytes;
    if (const int error = files.ReadSharedFile(source, bytes))
        return error;
    if (const int error = files.CopyFile(source, folder_ + name))
        return error;
    planned.after = Sha256Hex(bytes);
    planned.written = true;
    return 0;
}

int ChangeRun::Remove(const std::string& name) {
    return PutBack(std::string(kAbsent), name);
}

int ChangeRun::PutBack(const std::string& content, const std::string& name) {
    Planned& planned = Plan(name);
    if (planned.keepError != 0)
        return planned.keepError;
    // Already holding it: nothing to write, nothing changed.
    if (content == (planned.written ? planned.after : planned.before))
        return 0;
    if (const int error = store_.PutBack(content, folder_ + name))
        return error;
    planned.after = content;
    planned.written = true;
    return 0;
}

int ChangeRun::WriteEntry(bool finished) {
    entry_.folder = key_;
    if (entry_.time.empty())
        entry_.time = JournalTimeNow();
    entry_.files.clear();
    for (const Planned& planned : planned_) {
        if (finished ? planned.written : planned.keepError == 0)
            entry_.files.push_back({planned.name, planned.before,
                                    planned.written ? planned.after : std::string(kUnknown)});
    }
    return WriteJournalEntry(store_, entry_);
}

void ChangeRun::Finish() {
    if (finished_)
        return;
    finished_ = true;
    bool changed = false;
    for (const Planned& planned : planned_)
        changed = changed || planned.written;
    if (changed) {
        // Should this fail, the entry written before the files were touched
        // stays, and undo asks about each file it names.
        WriteEntry(true);
    } else if (entry_.number != 0) {
        RemoveJournalEntry(store_, entry_);
    }
}

}  // namespace sonatrix
