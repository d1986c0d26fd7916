// SPDX-License-Identifier: GPL-3.0-or-later
#include "originals/setting_restore.h"

#include <set>
#include <vector>

#include "originals/item_place.h"
#include "originals/journal.h"
#include "originals/originals_store.h"
#include "platform/files.h"
#include "platform/sha256.h"

namespace sonatrix {
namespace {

// The value a content of the store stands for.
int ValueOf(const OriginalsStore& store, const std::string& content, ItemValue& value) {
    value = {};
    if (content == kAbsent)
        return 0;
    if (!IsContentName(content))
        return CorruptFileCode();
    const bool link = content.front() == kLinkMark;
    if (const int error = store.Files().ReadSharedFile(store.BlobPath(content), value.bytes))
        return error;
    if (Sha256Hex(value.bytes) != std::string_view(content).substr(link ? 1 : 0))
        return CorruptFileCode();
    value.kind = link ? ItemValue::Kind::Link : ItemValue::Kind::Bytes;
    return 0;
}

// What the item held before the unbroken run of Sonatrix's writes that
// left it holding `content`: each change, newest first, that wrote what it
// holds leads to what it held before that, until one leads back to a
// content met already (an undo and its change, say). The newest change may
// not know what it wrote, cut short by a crash: it is taken to have written
// what is there.
std::string BeforeWrites(const std::vector<FileChange>& changes, std::string content,
                         bool& matched) {
    matched = false;
    std::set<std::string> met{content};
    for (std::size_t i = 0; i < changes.size(); ++i) {
        if (changes[i].after != content && !(i == 0 && changes[i].after == kUnknown))
            continue;
        if (!met.insert(changes[i].before).second)
            break;
        content = changes[i].before;
        matched = true;
    }
    return content;
}

}  // namespace

int PlanSettingRestore(OriginalsStore& store, ItemPlace& place, const std::string& name,
                       const std::string& original, SettingRestore& plan) {
    plan = {};
    ItemValue now;
    if (const int error = place.Read(name, now))
        return error;
    std::string nowContent;
    if (const int error = store.ContentOf(place, name, nowContent))
        return error;
    // Holding its original already, as after an undo of the change that
    // wrote it: there is nothing to give back, whatever the journal says.
    if (nowContent == original) {
        plan.content = original;
        return 0;
    }
    std::vector<FileChange> changes;  // of this item, newest first
    const std::vector<JournalEntry> journal = ReadJournal(store);
    for (auto entry = journal.rbegin(); entry != journal.rend(); ++entry) {
        if (entry->folder != place.Key())
            continue;
        // A change not known to have written anything, from what is there
        // now (the entry of this very restore, say), tells nothing.
        for (const FileChange& change : entry->files)
            if (change.name == name && !(change.after == kUnknown && change.before == nowContent))
                changes.push_back(change);
    }
    bool matched = false;
    const std::string before = BeforeWrites(changes, nowContent, matched);

    if (matched) {
        plan.content = before;  // as Sonatrix left it: the whole item back
        return 0;
    }
    ItemValue from;
    if (changes.empty()) {
        // What Sonatrix wrote is no longer known: the original's choice.
        if (const int error = ValueOf(store, original, from))
            return error;
    } else {
        ItemValue written;
        if (const int error = ValueOf(store, changes.front().after, written))
            return error;
        if (place.ChoiceIn(name, now) != place.ChoiceIn(name, written)) {
            plan.laterChoice = true;
            return 0;
        }
        if (const int error =
                ValueOf(store, BeforeWrites(changes, changes.front().after, matched), from))
            return error;
    }
    return store.Keep(place.WithChoiceOf(name, now, from), plan.content);
}

int PlanSoundRestore(OriginalsStore& store, ItemPlace& place, const std::string& name,
                     const std::string& sound, const std::string& original, bool& planned,
                     std::string& content) {
    planned = false;
    ItemValue now;
    if (const int error = place.Read(name, now))
        return error;
    ItemValue from;
    if (const int error = ValueOf(store, original, from))
        return error;
    const std::optional<ItemValue> restored = place.WithSoundOf(name, sound, now, from);
    if (!restored)
        return 0;
    planned = true;
    return store.Keep(*restored, content);
}

}  // namespace sonatrix
