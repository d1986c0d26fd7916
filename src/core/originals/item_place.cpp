// SPDX-License-Identifier: GPL-3.0-or-later
#include "originals/item_place.h"

namespace sonatrix {

std::unique_ptr<ItemPlace> PlaceOf(FileSystem& files, const std::string& where) {
    if (where.starts_with(kDesktopPlaceMark))
        return MakeDesktopPlace(files, where.substr(kDesktopPlaceMark.size()));
    return MakeFolderPlace(files, where);
}

std::string DesktopPlaceIn(const std::string& folder) {
    return std::string(kDesktopPlaceMark) + folder;
}

std::string FolderOfPlace(const std::string& where) {
    if (where.starts_with(kDesktopPlaceMark))
        return where.substr(kDesktopPlaceMark.size());
    return where;
}

}  // namespace sonatrix
