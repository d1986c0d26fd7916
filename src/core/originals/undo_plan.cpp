#include "originals/undo_plan.h"

#include "originals/originals_store.h"

namespace sonatrix {

std::optional<UndoPlan> PlanUndo(const OriginalsStore& store) {
    std::vector<JournalEntry> journal = ReadJournal(store);
    for (auto entry = journal.rbegin(); entry != journal.rend(); ++entry) {
        if (entry->undone)
            continue;
        UndoPlan plan;
        for (const FileChange& change : entry->files) {
            std::string now;
            const int error = store.ContentOf(entry->folder + change.name, now);
            if (error == 0 && now == change.before)
                continue;
            if (error == 0 && now == change.after)
                plan.plain.push_back(change);
            else
                plan.changedSince.push_back(change);
        }
        if (plan.plain.empty() && plan.changedSince.empty())
            continue;
        plan.entry = std::move(*entry);
        return plan;
    }
    return std::nullopt;
}

std::vector<std::pair<std::string, int>> Revert(const OriginalsStore& store,
                                                const JournalEntry& entry,
                                                const std::vector<FileChange>& files) {
    std::vector<std::pair<std::string, int>> failures;
    for (const FileChange& change : files) {
        if (const int error = store.PutBack(change.before, entry.folder + change.name))
            failures.emplace_back(change.name, error);
    }
    return failures;
}

int MarkUndone(OriginalsStore& store, JournalEntry entry) {
    entry.undone = true;
    return WriteJournalEntry(store, entry);
}

}  // namespace sonatrix
