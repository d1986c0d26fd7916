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
        if (const int error = ReadJournalEntry(store, *header, plan.entry)) {
            // Passed over, it would let undo take back an older change
            // while this one stays: it is named, and can be skipped.
            plan.entry = {};
            plan.entry.header = *header;
            plan.damaged = error;
            return plan;
        }
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

int PlanUndo(const OriginalsStore& store, std::optional<TakeBackPlan>& plan) {
    std::vector<EntryHeader> headers;
    const int error = JournalHeaders(store, headers);
    plan = error == 0 ? PlanFrom(store, ReplayJournal(headers).undo) : std::nullopt;
    return error;
}

int PlanRedo(const OriginalsStore& store, std::optional<TakeBackPlan>& plan) {
    std::vector<EntryHeader> headers;
    const int error = JournalHeaders(store, headers);
    plan = error == 0 ? PlanFrom(store, ReplayJournal(headers).redo) : std::nullopt;
    return error;
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
