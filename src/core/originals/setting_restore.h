// SPDX-License-Identifier: GPL-3.0-or-later
// What restoring an item that holds a choice of the user's (a desktop
// setting, a config file naming the sound theme) puts back. The journal says
// what Sonatrix wrote there: while the item still holds that, it gets back
// exactly what it held before Sonatrix's writes began (a file's every byte,
// or its absence); while only the rest of a file changed, just the choice
// goes back; and a choice the user made since is theirs and stays.
#pragma once

#include <string>

namespace sonatrix {

class ItemPlace;
class OriginalsStore;

struct SettingRestore {
    bool laterChoice = false;  // the user chose since: nothing is put back
    std::string content;       // else what to put back, kept in the store
};

// `original`: what the store recorded as the item's original, used when the
// journal no longer names the item. Returns 0 or the error of a read.
int PlanSettingRestore(OriginalsStore& store, ItemPlace& place, const std::string& name,
                       const std::string& original, SettingRestore& plan);

// What restoring only the sound item `sound` puts back into the item
// `name`, which holds the choices of several sounds: the item as it is now
// with that sound's choice as `original` made it. `planned` is false for an
// item that is no such whole. Returns 0 or the error of a read.
int PlanSoundRestore(OriginalsStore& store, ItemPlace& place, const std::string& name,
                     const std::string& sound, const std::string& original, bool& planned,
                     std::string& content);

}  // namespace sonatrix
