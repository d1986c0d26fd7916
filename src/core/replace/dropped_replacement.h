// SPDX-License-Identifier: GPL-3.0-or-later
// A sound dropped on an item of the target list replaces that sound, with
// the checks, confirmation and follow-up question of "换音".
#pragma once

#include <string>

namespace sonatrix {

class MainModel;

// A library sound (its library-relative path, as SelectedLibrarySound
// holds it) dropped on target item `row`.
void ListBox1DropLibrarySound(MainModel& model, int row, const std::string& librarySound);

// A file from outside dropped on target item `row`: it is added to the
// library first (a non-WAV file converted), and the added library sound is
// what replaces the target sound.
void ListBox1DropFile(MainModel& model, int row, const std::string& path);

}  // namespace sonatrix
