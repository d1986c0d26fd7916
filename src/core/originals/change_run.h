// One command run that writes into a client's folder. Before a file is
// touched, what it holds is kept in the store (and its original recorded
// the first time) and the run's journal entry names it; a file that could
// not be kept is not written. The entry ends up listing what the run
// really changed, and is dropped when it changed nothing.
#pragma once

#include <string>
#include <vector>

#include "originals/journal.h"
#include "originals/originals_store.h"

namespace sonatrix {

class ChangeRun {
  public:
    // `name`: the command as the user knows it ("随机换音"). `folder`: the
    // client's folder the run writes into, ending in a separator.
    ChangeRun(OriginalsStore store, std::string name, std::string folder);
    ChangeRun(const ChangeRun&) = delete;
    ChangeRun& operator=(const ChangeRun&) = delete;
    ~ChangeRun();

    // Keeps what the files `names` of the folder hold now, all of it flushed
    // to the disk before this returns. The writes below keep a file
    // themselves when it was not named here; naming every file first saves
    // the store a write per file.
    void Keep(const std::vector<std::string>& names);

    // Copies `source` over the file `name`. Returns 0, or the error of the
    // step that failed (keeping, reading the source, copying), which leaves
    // the file as it was.
    int Copy(const std::string& source, const std::string& name);
    // Removes the file `name`; one that does not exist counts as removed.
    int Remove(const std::string& name);
    // Makes the file `name` hold a content of the store again (or removes
    // it, for kAbsent).
    int PutBack(const std::string& content, const std::string& name);

    // Writes the run's journal entry as it ends; the destructor does it
    // when the command has not.
    void Finish();

    const std::string& Folder() const { return folder_; }

  private:
    struct Planned {
        std::string name;  // as on disk, when the file exists
        std::string before;
        int keepError = 0;
        bool written = false;
        std::string after;
    };

    // The name of `name` in the folder as found on disk.
    std::string OnDiskName(const std::string& name) const;
    Planned* Find(const std::string& onDisk);
    // The file's plan, kept now when it was not yet.
    Planned& Plan(const std::string& name);
    // Records the changes the run is about to make, so that even a crash
    // part-way leaves them in the journal.
    int WriteEntry(bool finished);

    OriginalsStore store_;
    std::string folder_;
    std::string key_;
    JournalEntry entry_;
    std::vector<Planned> planned_;
    bool finished_ = false;
};

}  // namespace sonatrix
