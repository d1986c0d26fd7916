// SPDX-License-Identifier: GPL-3.0-or-later
#include "originals/item_place.h"

#include "platform/desktop_settings.h"
#include "platform/path_pieces.h"

namespace sonatrix {

std::unique_ptr<ItemPlace> PlaceOf(FileSystem& files, const std::string& where) {
    if (where.starts_with(kDesktopPlaceMark))
        return MakeDesktopPlace(files, where.substr(kDesktopPlaceMark.size()));
    if (where.starts_with(kProgramPlaceMark))
        return MakeProgramPlace(files, where.substr(kProgramPlaceMark.size()));
    return MakeFolderPlace(files, where);
}

std::string DesktopPlaceIn(const std::string& folder) {
    return std::string(kDesktopPlaceMark) + folder;
}

std::string FolderOfPlace(const std::string& where) {
    if (where.starts_with(kDesktopPlaceMark))
        return where.substr(kDesktopPlaceMark.size());
    if (where.starts_with(kProgramPlaceMark))
        return where.substr(kProgramPlaceMark.size(),
                            where.find(kProgramPlaceSeparator) - kProgramPlaceMark.size());
    return where;
}

bool IsItemName(const std::string& key, std::string_view name) {
    if (key.starts_with(kDesktopPlaceMark) && IsDesktopSetting(name))
        return true;
    // A program's settings: the file its place names.
    if (key.starts_with(kProgramPlaceMark) && !name.empty() &&
        FileNameOf(SettingsFileOfPlace(key)) == name)
        return true;
    // '/' is a separator on Windows too, and never part of a Linux name.
    return !name.empty() && name != "." && name != ".." && FolderPartLength(name) == 0 &&
           name.find('/') == std::string_view::npos;
}

}  // namespace sonatrix
