// SPDX-License-Identifier: GPL-3.0-or-later
#include "discovery/program_sound_setting.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <set>
#include <vector>

#include "catalogue/program_events.h"
#include "discovery/pidgin_settings.h"
#include "discovery/thunderbird_settings.h"
#include "platform/file_url.h"
#include "platform/ini_groups.h"
#include "platform/ini_text.h"
#include "platform/path_pieces.h"
#include "platform/prefs_js.h"
#include "platform/purple_prefs_xml.h"
#include "platform/utf8_path.h"

namespace sonatrix {
namespace {

constexpr std::string_view kNotifyrcExtension = ".notifyrc";
constexpr std::string_view kKdeEventGroup = "Event/";
constexpr std::array<const char*, 2> kKdeSoundKeys{"Sound", "Action"};

// The two prefs of a Thunderbird event that choose its sound, each with
// the value Thunderbird has when prefs.js does not set it.
struct ThunderbirdSoundPref {
    const char* suffix;
    PrefValue byDefault;
};
const std::array<ThunderbirdSoundPref, 2>& ThunderbirdSoundPrefs() {
    static const std::array<ThunderbirdSoundPref, 2> prefs{{
        {".type", PrefValue(std::int32_t(0))},
        {".url", PrefValue(std::string())},
    }};
    return prefs;
}

bool ActionHoldsSound(std::string_view action) {
    std::size_t start = 0;
    while (start <= action.size()) {
        const std::size_t bar = std::min(action.find('|', start), action.size());
        if (action.substr(start, bar - start) == "Sound")
            return true;
        start = bar + 1;
    }
    return false;
}

// The "Event/<id>" groups of `text`, or the one of `eventId`.
std::set<std::string> KdeEventGroups(std::string_view text, std::string_view eventId) {
    std::set<std::string> groups;
    if (!eventId.empty()) {
        groups.insert(std::string(kKdeEventGroup) + std::string(eventId));
        return groups;
    }
    for (const IniGroup& group : ReadIniGroups(text, IniDialect::KConfig)) {
        if (group.name.starts_with(kKdeEventGroup))
            groups.insert(group.name);
    }
    return groups;
}

std::optional<std::string> WithKdeEventSound(std::string_view text, std::string_view defaults,
                                             std::string_view eventId, const std::string& wav) {
    const std::string group = std::string(kKdeEventGroup) + std::string(eventId);
    std::string edited = WithIniValue(text, group, "Sound", KConfigEscaped(wav));
    // The Action the user has not changed is the program's own.
    const std::optional<std::string> own = IniValue(text, group, "Action");
    const std::string action = own ? *own : IniValue(defaults, group, "Action").value_or("");
    if (!ActionHoldsSound(action))
        edited =
            WithIniValue(edited, group, "Action", action.empty() ? "Sound" : action + "|Sound");
    return edited;
}

std::optional<std::string> WithThunderbirdChoiceOf(std::string_view now, std::string_view from,
                                                   std::string_view eventId) {
    std::string edited(now);
    for (const ProgramEventInfo& info : kThunderbirdEvents) {
        if (!eventId.empty() && eventId != info.id)
            continue;
        for (const ThunderbirdSoundPref& pref : ThunderbirdSoundPrefs()) {
            const std::string name = ThunderbirdPref(info.id, pref.suffix);
            const std::optional<PrefValue> chosen = UserPrefValue(from, name);
            const std::optional<PrefValue> current = UserPrefValue(edited, name);
            if (chosen == current || (!chosen && !current))
                continue;
            const auto next = WithUserPref(edited, name, chosen.value_or(pref.byDefault));
            if (!next)
                return std::nullopt;
            edited = *next;
        }
    }
    return edited;
}

std::optional<std::string> WithPidginChoiceOf(std::string_view now, std::string_view from,
                                              std::string_view eventId) {
    std::string edited(now);
    for (const ProgramEventInfo& info : kPidginEvents) {
        if (!eventId.empty() && eventId != info.id)
            continue;
        const std::string name = PidginFilePref(info.id);
        const std::optional<std::string> chosen = PurplePrefValue(from, name);
        const std::optional<std::string> current = PurplePrefValue(edited, name);
        if (chosen == current || (!current && chosen.value_or("").empty()))
            continue;
        const auto next = WithPurplePref(edited, name, "path", chosen.value_or(""));
        if (!next)
            return std::nullopt;
        edited = *next;
    }
    return edited;
}

std::string WithKdeChoiceOf(std::string_view now, std::string_view from, std::string_view eventId) {
    std::set<std::string> groups = KdeEventGroups(now, eventId);
    groups.merge(KdeEventGroups(from, eventId));
    std::string edited(now);
    for (const std::string& group : groups) {
        // A group that only Sonatrix's write made goes with its keys.
        const bool groupOfOurs = !IniHasGroup(from, group);
        for (const char* key : kKdeSoundKeys) {
            const std::optional<std::string> chosen = IniValue(from, group, key);
            if (chosen != IniValue(edited, group, key))
                edited = WithIniValue(edited, group, key, chosen, groupOfOurs);
        }
    }
    return edited;
}

}  // namespace

std::optional<SettingsProgramKind> SettingsKindOfFile(std::string_view path) {
    const std::string name = FileNameOf(std::string(path));
    if (name == "prefs.js")
        return SettingsProgramKind::Thunderbird;
    if (name == "prefs.xml")
        return SettingsProgramKind::Pidgin;
    if (name.size() > kNotifyrcExtension.size() && name.ends_with(kNotifyrcExtension))
        return SettingsProgramKind::Kde;
    return std::nullopt;
}

std::optional<std::string> WithEventSound(SettingsProgramKind kind, std::string_view text,
                                          std::string_view defaults, std::string_view eventId,
                                          const std::string& wav) {
    switch (kind) {
        case SettingsProgramKind::Thunderbird: {
            const auto typed =
                WithUserPref(text, ThunderbirdPref(eventId, ".type"), std::int32_t(1));
            if (!typed)
                return std::nullopt;
            return WithUserPref(*typed, ThunderbirdPref(eventId, ".url"),
                                FileUrlOfPath(Utf8OfNativePath(wav)));
        }
        case SettingsProgramKind::Pidgin:
            return WithPurplePref(text, PidginFilePref(eventId), "path", Utf8OfNativePath(wav));
        case SettingsProgramKind::Kde:
            return WithKdeEventSound(text, defaults, eventId, wav);
    }
    return std::nullopt;
}

bool EventSoundSwitchedOff(SettingsProgramKind kind, std::string_view text,
                           std::string_view eventId) {
    std::vector<ProgramEvent> events;
    if (kind == SettingsProgramKind::Thunderbird) {
        events = ThunderbirdEvents(text);
    } else if (kind == SettingsProgramKind::Pidgin) {
        if (PurplePrefValue(text, "/pidgin/sound/method") == "none" ||
            PurplePrefValue(text, "/pidgin/sound/mute") == "1")
            return true;
        events = PidginEvents(text);
    }
    for (const ProgramEvent& event : events) {
        if (event.id == eventId)
            return !event.enabled;
    }
    return false;
}

std::string SoundChoiceIn(SettingsProgramKind kind, std::string_view text) {
    std::string choice;
    const auto add = [&](const std::string& name, const std::optional<std::string>& value) {
        choice += name + (value ? "=" + *value : std::string(" unset")) + "\n";
    };
    switch (kind) {
        case SettingsProgramKind::Thunderbird:
            for (const ProgramEventInfo& info : kThunderbirdEvents) {
                for (const ThunderbirdSoundPref& pref : ThunderbirdSoundPrefs()) {
                    const std::string name = ThunderbirdPref(info.id, pref.suffix);
                    const auto value = UserPrefValue(text, name);
                    add(name, value ? std::optional(PrefsJsLiteral(*value)) : std::nullopt);
                }
            }
            break;
        case SettingsProgramKind::Pidgin:
            for (const ProgramEventInfo& info : kPidginEvents)
                add(PidginFilePref(info.id), PurplePrefValue(text, PidginFilePref(info.id)));
            break;
        case SettingsProgramKind::Kde:
            for (const std::string& group : KdeEventGroups(text, {})) {
                for (const char* key : kKdeSoundKeys)
                    add(group + "/" + key, IniValue(text, group, key));
            }
            break;
    }
    return choice;
}

std::optional<std::string> WithSoundChoiceOf(SettingsProgramKind kind, std::string_view now,
                                             std::string_view from, std::string_view eventId) {
    switch (kind) {
        case SettingsProgramKind::Thunderbird:
            return WithThunderbirdChoiceOf(now, from, eventId);
        case SettingsProgramKind::Pidgin:
            return WithPidginChoiceOf(now, from, eventId);
        case SettingsProgramKind::Kde:
            return WithKdeChoiceOf(now, from, eventId);
    }
    return std::nullopt;
}

std::string KConfigEscaped(std::string_view value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(value[i]);
        if (c == ' ' && (i == 0 || i + 1 == value.size()))
            out += "\\s";
        else if (c == '\\')
            out += "\\\\";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else if (c < 0x20 || c == 0x7f) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            out += hex;
        } else
            out += static_cast<char>(c);
    }
    return out;
}

}  // namespace sonatrix
