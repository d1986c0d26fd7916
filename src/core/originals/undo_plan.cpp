// SPDX-License-Identifier: GPL-3.0-or-later
#include "originals/undo_plan.h"

#include "originals/journal_stacks.h"
#include "originals/originals_store.h"
#include "originals/store_lock.h"

namespace sonatrix {
namespace {

// The first entry of `stack`, from its top, with something to take back.
std::optional<TakeBackPlan> PlanFrom(const OriginalsStore& store,
                                     const std::vector<EntryHeader>& stack) {
    for (auto header = stack.rbegin(); header != stack.rend(); ++header) {
        TakeBackPlan plan;
        if (ReadJournalEntry(store, *header, plan.entry) != 0)
            continue;  // damaged: nothing can be taken back from it
        if (plan.entry.files.empty())
            continue;
        const auto place = PlaceOf(store.Files(), plan.entry.folder);
        if (!place->Exists()) {
            plan.folderGone = true;
            return plan;
        }
        for (const FileChange& change : plan.entry.files) {
            std::string now;
            const int error = store.ContentOf(*place, change.name, now);
            if (error == 0 && now == change.before)
                continue;
            if (error == 0 && now == change.after)
                plan.plain.push_back({change, now});
            else
                plan.changedSince.push_back({change, error == 0 ? now : std::string()});
        }
        if (!plan.plain.empty() || !plan.changedSince.empty())
            return plan;
    }
    return std::nullopt;
}

}  // namespace

std::optional<TakeBackPlan> PlanUndo(const OriginalsStore& store) {
    return PlanFrom(store, ReplayJournal(JournalHeaders(store)).undo);
}

std::optional<TakeBackPlan> PlanRedo(const OriginalsStore& store) {
    return PlanFrom(store, ReplayJournal(JournalHeaders(store)).redo);
}

int SkipEntry(OriginalsStore& store, const JournalEntry& entry) {
    StoreLock lock(store);
    if (const int error = lock.Error())
        return error;
    JournalEntry skip;
    skip.header.kind = EntryKind::Skip;
    skip.header.target = entry.header.number;
    skip.time = JournalTimeNow();
    skip.name = entry.name;
    skip.folder = entry.folder;
    return CreateJournalEntry(store, skip);
}

}  // namespace sonatrix
