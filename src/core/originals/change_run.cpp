// SPDX-License-Identifier: GPL-3.0-or-later
#include "originals/change_run.h"

#include <algorithm>
#include <optional>
#include <set>

#include "originals/store_lock.h"
#include "originals/store_pruning.h"
#include "platform/files.h"
#include "platform/sha256.h"

namespace sonatrix {

ChangeRun::ChangeRun(OriginalsStore store, std::string name, const std::string& folder,
                     EntryKind kind, std::uint64_t target)
    : store_(std::move(store)), place_(PlaceOf(store_.Files(), folder)) {
    entry_.name = std::move(name);
    entry_.header.kind = kind;
    entry_.header.target = target;
}

ChangeRun::~ChangeRun() {
    Finish();
}

void ChangeRun::Keep(const std::vector<std::string>& names) {
    const std::size_t firstNew = planned_.size();
    for (const std::string& name : names) {
        const std::string onDisk = place_->NameOf(name);
        if (!Find(onDisk)) {
            Planned planned;
            planned.name = onDisk;
            planned_.push_back(std::move(planned));
        }
    }
    if (planned_.size() == firstNew)
        return;
    // Without a folder (the client's, or the user's data folder) there is
    // nowhere to keep anything, and nothing will be written.
    int error = store_.Folder().empty() || Key().empty() ? PathNotFoundCode() : 0;
    std::optional<StoreLock> lock;
    if (error == 0)
        error = lock.emplace(store_).Error();
    FolderOriginals originals;
    if (error == 0)
        error = store_.ReadOriginals(Key(), originals);
    bool anyKept = false;
    for (std::size_t i = firstNew; i < planned_.size(); ++i) {
        Planned& planned = planned_[i];
        ItemValue value;
        planned.keepError = error;
        if (planned.keepError == 0)
            planned.keepError = place_->Read(planned.name, value);
        if (planned.keepError == 0)
            planned.keepError = store_.Keep(value, planned.before);
        planned.recorded = originals.Find(planned.name, *place_) != nullptr;
        anyKept = anyKept || planned.keepError == 0;
    }
    if (error == 0 && anyKept)
        error = WriteEntry(false);
    if (error != 0) {
        for (std::size_t i = firstNew; i < planned_.size(); ++i)
            if (planned_[i].keepError == 0)
                planned_[i].keepError = error;
    }
}

ChangeRun::Planned* ChangeRun::Find(const std::string& onDisk) {
    // Names as on disk: two names that differ in letter case only are two
    // files where the disk says so (under Wine).
    for (Planned& planned : planned_) {
        if (planned.name == onDisk)
            return &planned;
    }
    return nullptr;
}

ChangeRun::Planned& ChangeRun::Plan(const std::string& name) {
    if (Planned* planned = Find(place_->NameOf(name)))
        return *planned;
    Keep({name});
    return planned_.back();
}

int ChangeRun::Record(Planned& planned) {
    if (planned.recorded)
        return 0;
    StoreLock lock(store_);
    if (const int error = lock.Error())
        return error;
    // Read again: another run may have recorded files of this folder since.
    FolderOriginals originals;
    if (const int error = store_.ReadOriginals(Key(), originals))
        return error;
    if (!originals.Find(planned.name, *place_)) {
        originals.files.push_back({planned.name, planned.before});
        if (const int error = store_.WriteOriginals(originals))
            return error;
        planned.recordedHere = true;
    }
    planned.recorded = true;
    return 0;
}

int ChangeRun::Written(Planned& planned, int error) {
    if (error == 0 || !planned.recordedHere)
        return error;
    // Not written after all: the file keeps no original, so that a restore
    // never puts these bytes over what the client may write there later.
    StoreLock lock(store_);
    FolderOriginals originals;
    if (lock.Error() == 0 && store_.ReadOriginals(Key(), originals) == 0) {
        std::erase_if(originals.files, [&](const FolderOriginals::Original& original) {
            return original.name == planned.name;
        });
        if (store_.WriteOriginals(originals) == 0)
            planned.recorded = planned.recordedHere = false;
    }
    return error;
}

int ChangeRun::Copy(const std::string& source, const std::string& name) {
    Planned& planned = Plan(name);
    if (planned.keepError != 0)
        return planned.keepError;
    FileSystem& files = store_.Files();
    std::string bytes;
    if (const int error = files.ReadSharedFile(source, bytes))
        return error;
    if (const int error = Record(planned))
        return error;
    if (const int error = Written(planned, place_->CopyIn(source, planned.name)))
        return error;
    planned.after = Sha256Hex(bytes);
    planned.written = true;
    return 0;
}

int ChangeRun::Remove(const std::string& name) {
    return PutBack(std::string(kAbsent), name);
}

int ChangeRun::PutBack(const std::string& content, const std::string& name,
                       const std::string& expected) {
    Planned& planned = Plan(name);
    if (planned.keepError != 0)
        return planned.keepError;
    const std::string& now = planned.written ? planned.after : planned.before;
    if (!expected.empty() && now != expected)
        return kChangedMeanwhile;
    // Already holding it: nothing to write, nothing changed.
    if (content == now)
        return 0;
    if (const int error = Record(planned))
        return error;
    if (const int error = Written(planned, store_.PutBack(content, *place_, planned.name)))
        return error;
    planned.after = content;
    planned.written = true;
    return 0;
}

int ChangeRun::WriteEntry(bool finished) {
    entry_.folder = Key();
    if (entry_.time.empty())
        entry_.time = JournalTimeNow();
    entry_.files.clear();
    for (const Planned& planned : planned_) {
        if (finished ? planned.written : planned.keepError == 0)
            entry_.files.push_back({planned.name, planned.before,
                                    planned.written ? planned.after : std::string(kUnknown)});
    }
    return entry_.header.number == 0 ? CreateJournalEntry(store_, entry_)
                                     : RewriteJournalEntry(store_, entry_);
}

void ChangeRun::Finish() {
    if (finished_)
        return;
    finished_ = true;
    if (entry_.header.number == 0)
        return;  // nothing was kept, so nothing written
    bool changed = false;
    for (const Planned& planned : planned_)
        changed = changed || planned.written;
    StoreLock lock(store_);
    if (lock.Error() != 0)
        return;  // the entry written before the files were touched stays
    // Should this fail, the entry written before the files were touched
    // stays, and undo asks about each file it names.
    if (changed ? WriteEntry(true) != 0 : RemoveJournalEntry(store_, entry_.header) != 0)
        return;
    // What was kept of files the run then passed over may be needed no more.
    std::set<std::string> passedOver;
    for (const Planned& planned : planned_)
        if (planned.keepError == 0 && !planned.written)
            passedOver.insert(planned.before);
    PruneJournal(store_);
    RemoveUnreferencedBlobs(store_, std::move(passedOver));
}

}  // namespace sonatrix
