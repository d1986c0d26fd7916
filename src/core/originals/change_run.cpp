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
namespace {

// A file a client keeps rewriting is given up on after this many looks.
constexpr int kWriteTries = 3;

}  // namespace

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
        // Only a name the store would read back is kept, and so written.
        if (planned.keepError == 0 && !IsItemName(Key(), planned.name))
            planned.keepError = PathNotFoundCode();
        if (planned.keepError == 0)
            planned.keepError = place_->Read(planned.name, value);
        if (planned.keepError == 0)
            planned.keepError = store_.Keep(value, planned.before);
        planned.identity = value.identity;
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

std::string ChangeRun::Holds(const std::string& name) {
    const Planned& planned = Plan(name);
    if (planned.keepError != 0)
        return {};
    return planned.written ? planned.after : planned.before;
}

int ChangeRun::Refresh(Planned& planned) {
    FileIdentity now;
    if (const int error = place_->Identify(planned.name, now))
        return error;
    if (now.kind != FileIdentity::Kind::Unknown && now == planned.identity)
        return 0;
    ItemValue value;
    if (const int error = place_->Read(planned.name, value))
        return error;
    const std::string content = ContentNameOf(value);
    if (content.empty())
        return CorruptFileCode();
    const std::string& held = planned.written ? planned.after : planned.before;
    if (content == held) {
        planned.identity = value.identity;
        return 0;
    }
    // The entry has one line per file: bytes written over what this run
    // wrote would have no place in it.
    if (planned.written)
        return kChangedMeanwhile;
    // Written by someone else since it was kept: kept too, and named by the
    // entry in the same hold of the lock, before anything goes over it.
    StoreLock lock(store_);
    std::string kept;
    int error = lock.Error();
    if (error == 0)
        error = store_.Keep(value, kept);
    if (error == 0) {
        superseded_.insert(planned.before);
        planned.before = kept;
        planned.identity = value.identity;
        error = WriteEntry(false);
    }
    // Not named, so not to be written over by this run.
    if (error != 0)
        planned.keepError = error;
    return error;
}

int ChangeRun::Write(Planned& planned, const std::string& after, const std::string& source,
                     WriteStep step, const std::string& expected, bool skipHeld) {
    for (int look = 1;; ++look) {
        if (const int error = Refresh(planned))
            return error;
        const std::string& now = planned.written ? planned.after : planned.before;
        if (!expected.empty() && now != expected)
            return kChangedMeanwhile;
        // "Already holds it" as the disk says, just now.
        if (skipHeld && now == after)
            return 0;
        if (const int error = Record(planned))
            return error;
        FileIdentity identity = planned.identity;
        const int error = Written(planned, (this->*step)(planned, source, identity));
        if (error == 0) {
            planned.identity = identity;
            planned.after = after;
            planned.written = true;
            return 0;
        }
        // Changed between the look and the write: looked at, and kept, again.
        if (error != ChangedCode())
            return error;
        if (look == kWriteTries)
            return kChangedMeanwhile;
    }
}

int ChangeRun::CopyStep(Planned& planned, const std::string& source, FileIdentity& identity) {
    return place_->CopyIn(source, planned.name, identity);
}

int ChangeRun::PutBackStep(Planned& planned, const std::string& content, FileIdentity& identity) {
    return store_.PutBack(content, *place_, planned.name, identity);
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
    int undone = lock.Error();
    if (undone == 0)
        undone = store_.ReadOriginals(Key(), originals);
    if (undone == 0) {
        std::erase_if(originals.files, [&](const FolderOriginals::Original& original) {
            return original.name == planned.name;
        });
        undone = store_.WriteOriginals(originals);
    }
    if (undone == 0)
        planned.recorded = planned.recordedHere = false;
    else if (finishError_ == 0)
        finishError_ = undone;  // the record now claims a write that never was
    return error;
}

int ChangeRun::Copy(const std::string& source, const std::string& name) {
    Planned& planned = Plan(name);
    if (planned.keepError != 0)
        return planned.keepError;
    std::string bytes;
    if (const int error = store_.Files().ReadSharedFile(source, bytes))
        return error;
    return Write(planned, Sha256Hex(bytes), source, &ChangeRun::CopyStep, {}, false);
}

int ChangeRun::Remove(const std::string& name) {
    return PutBack(std::string(kAbsent), name);
}

int ChangeRun::PutBack(const std::string& content, const std::string& name,
                       const std::string& expected) {
    Planned& planned = Plan(name);
    if (planned.keepError != 0)
        return planned.keepError;
    return Write(planned, content, content, &ChangeRun::PutBackStep, expected, true);
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

int ChangeRun::Finish() {
    if (finished_)
        return finishError_;
    finished_ = true;
    if (entry_.header.number == 0)
        return finishError_;  // nothing was kept, so nothing written
    bool changed = false;
    for (const Planned& planned : planned_)
        changed = changed || planned.written;
    StoreLock lock(store_);
    // Should the entry not be written to its end, the one written before
    // the files were touched stays, and undo asks about each file it names;
    // but what the run changed is not all recorded, and the run failed.
    int error = lock.Error();
    if (error == 0)
        error = changed ? WriteEntry(true) : RemoveJournalEntry(store_, entry_.header);
    if (error != 0) {
        if (changed && finishError_ == 0)
            finishError_ = error;
        return finishError_;
    }
    // What was kept of files the run then passed over, or that a client
    // wrote over before the run did, may be needed no more.
    std::set<std::string> unneeded = std::move(superseded_);
    for (const Planned& planned : planned_)
        if (planned.keepError == 0 && !planned.written)
            unneeded.insert(planned.before);
    PruneJournal(store_);
    RemoveUnreferencedBlobs(store_, std::move(unneeded));
    return finishError_;
}

}  // namespace sonatrix
