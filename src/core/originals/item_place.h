// SPDX-License-Identifier: GPL-3.0-or-later
// Where the items a change keeps and writes live. The journal and the
// originals name a place by its key; the key chooses the kind of place: the
// files of a client's folder, or the desktop's sounds (the files of their
// folder together with the desktop's settings that make it play them). Each
// kind gives the same few operations, and keeping, restoring and undoing
// work on every kind unchanged.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/files.h"

namespace sonatrix {

// What an item holds: nothing, bytes, or (a file) a symbolic link.
struct ItemValue {
    enum class Kind { Absent, Bytes, Link };
    Kind kind = Kind::Absent;
    std::string bytes;  // the bytes, or where the link points
    // What the item was on the disk, looked at before it was read (kind
    // Unknown for an item that is no file).
    FileIdentity identity;
};

class ItemPlace {
  public:
    virtual ~ItemPlace() = default;

    // The one text the store knows the place by; empty when there is no
    // such place.
    virtual const std::string& Key() const = 0;
    // False once the place is gone (the folder removed, say).
    virtual bool Exists() = 0;
    // The name the place knows the item `name` by: a file's name as on disk.
    virtual std::string NameOf(const std::string& name) = 0;

    virtual int Read(const std::string& name, ItemValue& value) = 0;
    // What the item is on the disk now, without reading it; kind Unknown
    // where the place cannot tell so (then only a Read says).
    virtual int Identify(const std::string& name, FileIdentity& identity) {
        (void)name;
        identity = {};
        return 0;
    }

    // The writes below act only while the item is what `identity` says
    // (ChangedCode() otherwise; kind Unknown: whatever it is), and leave in
    // it what the item is after them. A file's folder is synced before
    // they return.
    //
    // Gives the item the bytes of the file `source`, as a whole or not at all.
    virtual int CopyIn(const std::string& source, const std::string& name,
                       FileIdentity& identity) = 0;
    // Takes the item away; one that is not there counts as taken away.
    virtual int Remove(const std::string& name, FileIdentity& identity) = 0;
    virtual int MakeLink(const std::string& target, const std::string& name,
                         FileIdentity& identity) = 0;

    // Removes what a write cut short by a crash left behind.
    virtual void RemoveLeftovers() = 0;

    // True for an item that holds a choice of the user's (a desktop
    // setting) rather than a sound: restoring one compares choices, so that
    // a choice made after Sonatrix wrote is kept.
    virtual bool HoldsChoice(const std::string&) { return false; }
    // The choice `value` makes (the theme a setting names); nothing for none.
    virtual std::optional<std::string> ChoiceIn(const std::string&, const ItemValue& value) {
        return value.bytes;
    }
    // `now` with the choice that `from` makes, all else as it is now.
    virtual ItemValue WithChoiceOf(const std::string&, const ItemValue&, const ItemValue& from) {
        return from;
    }
    // For an item that holds the choices of several sounds (a program's
    // settings): `now` with only the choice of the sound item `sound` as
    // `from` makes it. Nothing for an item that is no such whole.
    virtual std::optional<ItemValue> WithSoundOf(const std::string&, const std::string& sound,
                                                 const ItemValue& now, const ItemValue& from) {
        (void)sound;
        (void)now;
        (void)from;
        return std::nullopt;
    }
};

// The place `where` names: a folder or the desktop's place (as a command
// names it, or as a key).
std::unique_ptr<ItemPlace> PlaceOf(FileSystem& files, const std::string& where);

// True for a name the place `key` can hold: a file's own name in the
// folder (not empty, not "." or "..", no separator or drive), or in the
// desktop's place one of the desktop's settings, or in a program's place
// its settings file. A record or entry naming
// anything else is damaged: nothing outside its folder is ever touched
// because of it.
bool IsItemName(const std::string& key, std::string_view name);

// The desktop's place is named by this and its folder. No folder's name or
// key starts so: they are absolute paths.
inline constexpr std::string_view kDesktopPlaceMark = "<desktop>";
// The desktop's place whose sounds are the files of `folder`.
std::string DesktopPlaceIn(const std::string& folder);
// The folder a place's name or key stands for, as it is shown to the user.
std::string FolderOfPlace(const std::string& where);

// A program's place: the folder of the sounds Sonatrix keeps for it and
// its settings file, whose own name is the settings' item there. Named by
// this, the folder, a line break and the settings file's path.
inline constexpr std::string_view kProgramPlaceMark = "<program>";
inline constexpr char kProgramPlaceSeparator = '\n';
std::string ProgramPlaceIn(const std::string& folder, const std::string& settingsFile);
// The settings file a program's place names; empty for another place.
std::string SettingsFileOfPlace(const std::string& where);

std::unique_ptr<ItemPlace> MakeFolderPlace(FileSystem& files, const std::string& folder);
std::unique_ptr<ItemPlace> MakeDesktopPlace(FileSystem& files, const std::string& folder);
// `where`: ProgramPlaceIn's name without its mark.
std::unique_ptr<ItemPlace> MakeProgramPlace(FileSystem& files, const std::string& where);

}  // namespace sonatrix
