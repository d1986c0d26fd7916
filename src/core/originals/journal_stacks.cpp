// SPDX-License-Identifier: GPL-3.0-or-later
#include "originals/journal_stacks.h"

#include <algorithm>

namespace sonatrix {
namespace {

void Drop(std::vector<EntryHeader>& stack, std::uint64_t number) {
    std::erase_if(stack, [&](const EntryHeader& header) { return header.number == number; });
}

}  // namespace

JournalStacks ReplayJournal(const std::vector<EntryHeader>& headers) {
    JournalStacks stacks;
    for (const EntryHeader& header : headers) {
        switch (header.kind) {
            case EntryKind::Change:
                stacks.undo.push_back(header);
                stacks.redo.clear();
                break;
            case EntryKind::Undo:
                Drop(stacks.undo, header.target);
                stacks.redo.push_back(header);
                break;
            case EntryKind::Redo:
                Drop(stacks.redo, header.target);
                stacks.undo.push_back(header);
                break;
            case EntryKind::Skip:
                Drop(stacks.undo, header.target);
                Drop(stacks.redo, header.target);
                break;
            case EntryKind::UndoneEarlier:
                break;
        }
    }
    return stacks;
}

}  // namespace sonatrix
