// SPDX-License-Identifier: GPL-3.0-or-later
#include "discovery/kde_notifyrc.h"

#include <algorithm>

#include "discovery/settings_text.h"
#include "platform/files.h"
#include "platform/ini_groups.h"

namespace sonatrix {
namespace {

constexpr std::string_view kEventPrefix = "Event/";
constexpr std::string_view kExtension = ".notifyrc";
// KDE 6 first: a program built for it looks there.
constexpr const char* kDefaultsFolders[] = {"knotifications6/", "knotifications5/"};

// `key` in Chinese where the group has it: "Key[zh_CN]", "Key[zh]", "Key".
const std::string* Translated(const IniGroup& group, const std::string& key) {
    for (const std::string& name : {key + "[zh_CN]", key + "[zh]", key}) {
        if (const std::string* value = group.Find(name); value && !value->empty())
            return value;
    }
    return nullptr;
}

// `key` of `group` in the user's file, else in the program's own.
const std::string* Current(const std::vector<IniGroup>& user, const std::vector<IniGroup>& defaults,
                           const std::string& group, std::string_view key) {
    for (const auto* groups : {&user, &defaults}) {
        if (const IniGroup* found = FindGroup(*groups, group))
            if (const std::string* value = found->Find(key))
                return value;
    }
    return nullptr;
}

bool ActionPlaysSound(std::string_view action) {
    while (!action.empty()) {
        const std::size_t bar = action.find('|');
        if (action.substr(0, bar) == "Sound")
            return true;
        action.remove_prefix(bar == std::string_view::npos ? action.size() : bar + 1);
    }
    return false;
}

std::string SoundFile(FileSystem& files, const std::string& sound,
                      const std::vector<std::string>& dataFolders) {
    if (sound.starts_with('/'))
        return sound;
    for (const std::string& folder : dataFolders) {
        if (!sound.empty() && files.FileExists(folder + "sounds/" + sound))
            return folder + "sounds/" + sound;
    }
    return {};
}

void AddNotifyrcNames(FileSystem& files, const std::string& folder,
                      std::vector<std::string>& names) {
    std::vector<DirEntry> entries;
    if (folder.empty() || !files.ListPattern(folder, "*.notifyrc", entries))
        return;
    for (const DirEntry& entry : entries) {
        if (entry.isFolder || !entry.name.ends_with(kExtension))
            continue;
        std::string name = entry.name.substr(0, entry.name.size() - kExtension.size());
        if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(std::move(name));
    }
}

bool HasSoundEvent(const std::vector<IniGroup>& groups) {
    return std::any_of(groups.begin(), groups.end(), [](const IniGroup& group) {
        const std::string* sound = group.Find("Sound");
        const std::string* action = group.Find("Action");
        return group.name.starts_with(kEventPrefix) &&
               ((sound && !sound->empty()) || (action && ActionPlaysSound(*action)));
    });
}

std::vector<ProgramEvent> EventsOf(FileSystem& files, const std::vector<IniGroup>& own,
                                   const std::vector<IniGroup>& chosen,
                                   const std::vector<std::string>& dataFolders) {
    std::vector<ProgramEvent> events;
    for (const IniGroup& group : own.empty() ? chosen : own) {
        if (!group.name.starts_with(kEventPrefix) || group.name.size() == kEventPrefix.size())
            continue;
        ProgramEvent event;
        event.id = group.name.substr(kEventPrefix.size());
        const std::string* name = Translated(group, "Name");
        event.name = name ? *name : event.id;
        const std::string* action = Current(chosen, own, group.name, "Action");
        event.enabled = action && ActionPlaysSound(*action);
        if (const std::string* sound = Current(chosen, own, group.name, "Sound"))
            event.sound = SoundFile(files, *sound, dataFolders);
        events.push_back(std::move(event));
    }
    // The list tells events apart by their names.
    std::vector<bool> shared(events.size());
    for (std::size_t i = 0; i < events.size(); ++i) {
        for (std::size_t j = i + 1; j < events.size(); ++j) {
            if (events[i].name == events[j].name)
                shared[i] = shared[j] = true;
        }
    }
    for (std::size_t i = 0; i < events.size(); ++i) {
        if (shared[i])
            events[i].name += "（" + events[i].id + "）";
    }
    return events;
}

// The program's own notifyrc: the first in the data folders' order.
std::string DefaultsFile(FileSystem& files, const std::string& name,
                         const std::vector<std::string>& dataFolders) {
    for (const std::string& data : dataFolders) {
        for (const char* below : kDefaultsFolders) {
            if (const std::string file = data + below + name + std::string(kExtension);
                files.FileExists(file))
                return file;
        }
    }
    return {};
}

}  // namespace

std::vector<ProgramEvent> KdeEvents(FileSystem& files, std::string_view defaults,
                                    std::string_view user,
                                    const std::vector<std::string>& dataFolders) {
    return EventsOf(files, ReadIniGroups(defaults, IniDialect::KConfig),
                    ReadIniGroups(user, IniDialect::KConfig), dataFolders);
}

std::string KdeProgramName(std::string_view defaults, std::string_view user,
                           const std::string& fallback) {
    for (const std::string_view text : {defaults, user}) {
        const std::vector<IniGroup> groups = ReadIniGroups(text, IniDialect::KConfig);
        if (const IniGroup* global = FindGroup(groups, "Global")) {
            for (const char* key : {"Name", "Comment"}) {
                if (const std::string* name = Translated(*global, key))
                    return *name;
            }
        }
    }
    return fallback;
}

std::vector<SettingsProgram> FindKdePrograms(FileSystem& files, const std::string& configFolder,
                                             const std::vector<std::string>& dataFolders) {
    std::vector<std::string> names;
    // Without the user's folder there is no file to point at a sound.
    if (configFolder.empty())
        return {};
    for (const std::string& data : dataFolders) {
        for (const char* below : kDefaultsFolders)
            AddNotifyrcNames(files, data + below, names);
    }
    AddNotifyrcNames(files, configFolder, names);

    std::vector<SettingsProgram> programs;
    for (const std::string& name : names) {
        SettingsProgram program;
        program.kind = SettingsProgramKind::Kde;
        program.defaultsFile = DefaultsFile(files, name, dataFolders);
        program.settingsFile = configFolder + name + std::string(kExtension);
        const auto defaults = program.defaultsFile.empty()
                                  ? std::string()
                                  : ReadSettingsText(files, program.defaultsFile);
        const auto user = ReadSettingsText(files, program.settingsFile);
        if (!defaults || !user)
            continue;
        const std::vector<IniGroup> own = ReadIniGroups(*defaults, IniDialect::KConfig);
        const std::vector<IniGroup> chosen = ReadIniGroups(*user, IniDialect::KConfig);
        if (!HasSoundEvent(own) && !HasSoundEvent(chosen))
            continue;
        program.events = EventsOf(files, own, chosen, dataFolders);
        program.name = program.programName = KdeProgramName(*defaults, *user, name);
        program.folderName = "KDE-" + name;
        programs.push_back(std::move(program));
    }
    return programs;
}

}  // namespace sonatrix
