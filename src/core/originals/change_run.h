// SPDX-License-Identifier: GPL-3.0-or-later
// One run of a command that writes into a client's folder (undo and redo
// included). Before a file is touched, what it holds is kept in the store
// and the run's journal entry names it; its original is recorded the first
// time Sonatrix writes it, just before the write. A file that could not be
// kept is not written. Just before each write the file is looked at again:
// what a client wrote there since it was kept is kept too before it is
// written over. The entry ends up listing what the run really changed, and
// is dropped when it changed nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "originals/item_place.h"
#include "originals/journal.h"
#include "originals/originals_store.h"

namespace sonatrix {

// A file whose content is no longer what the run was told to expect: it
// changed while the user was being asked, or kept changing while it was
// being written. Not a system's error code.
inline constexpr int kChangedMeanwhile = -1;

class ChangeRun {
  public:
    // `name`: the change as the user knows it ("随机换音"). `folder`: the
    // client's folder the run writes into, ending in a separator (or the
    // key of an entry's folder). `kind` and `target`: what the entry is.
    ChangeRun(OriginalsStore store, std::string name, const std::string& folder,
              EntryKind kind = EntryKind::Change, std::uint64_t target = 0);
    ChangeRun(const ChangeRun&) = delete;
    ChangeRun& operator=(const ChangeRun&) = delete;
    ~ChangeRun();

    // Keeps what the files `names` of the folder hold now, all of it flushed
    // to the disk before this returns. The writes below keep a file
    // themselves when it was not named here; naming every file first saves
    // the store a write per file.
    void Keep(const std::vector<std::string>& names);
    // What the file `name` held when it was last looked at, as the store
    // names contents; empty when it could not be kept.
    std::string Holds(const std::string& name);

    // Copies `source` over the file `name`. Returns 0, or the error of the
    // step that failed (keeping, reading the source, copying), which leaves
    // the file as it was.
    int Copy(const std::string& source, const std::string& name);
    // Removes the file `name`; one that does not exist counts as removed.
    int Remove(const std::string& name);
    // Makes the file `name` hold a content of the store again (or removes
    // it, for kAbsent); one that holds it already on the disk is left as it
    // is. With `expected`, only while the file still holds that content:
    // kChangedMeanwhile otherwise, with what it holds now kept (Holds).
    int PutBack(const std::string& content, const std::string& name,
                const std::string& expected = {});

    // Writes the run's journal entry as it ends, and keeps the store small;
    // the destructor does it when the command has not. Returns 0, or the
    // error that left the store short of what the run did (its entry not
    // written to the end, or an original left recorded for a file the run
    // did not write): the command then failed, whatever it wrote.
    int Finish();

    // The folder's key; empty when it is no existing folder.
    const std::string& Key() const { return place_->Key(); }

  private:
    struct Planned {
        std::string name;  // as on disk, when the file exists
        std::string before;
        FileIdentity identity;  // what it was when last looked at
        int keepError = 0;
        bool recorded = false;      // its original is in the store
        bool recordedHere = false;  // by this run
        bool written = false;
        std::string after;
    };
    using WriteStep = int (ChangeRun::*)(Planned&, const std::string&, FileIdentity&);

    Planned* Find(const std::string& onDisk);
    // The file's plan, kept now when it was not yet.
    Planned& Plan(const std::string& name);
    // Looks at the file again: what it holds now, when that changed since,
    // is kept first and becomes what the run found there. A file this run
    // wrote and something else changed since gives kChangedMeanwhile.
    int Refresh(Planned& planned);
    // Refreshes, then writes `after` by `step` while the file is what was
    // seen, keeping each change that comes in between; `expected`: see
    // PutBack; `skipHeld`: nothing is written over a file holding `after`.
    int Write(Planned& planned, const std::string& after, const std::string& source, WriteStep step,
              const std::string& expected, bool skipHeld);
    int CopyStep(Planned& planned, const std::string& source, FileIdentity& identity);
    int PutBackStep(Planned& planned, const std::string& content, FileIdentity& identity);
    // Records the file's original unless it has one.
    int Record(Planned& planned);
    // Passes on the error of writing the file; after a failure, takes back
    // the original this run recorded for it.
    int Written(Planned& planned, int error);
    // Records the changes the run is about to make (`finished`: made), so
    // that even a crash part-way leaves them in the journal.
    int WriteEntry(bool finished);

    OriginalsStore store_;
    std::unique_ptr<ItemPlace> place_;
    JournalEntry entry_;
    std::vector<Planned> planned_;
    std::set<std::string> superseded_;  // kept, then found written over by a client
    bool finished_ = false;
    int finishError_ = 0;
};

}  // namespace sonatrix
