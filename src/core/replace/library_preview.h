// SPDX-License-Identifier: GPL-3.0-or-later
// A click on a library sound: it is chosen and played. While
// "音量与原声音一致" is checked and a target sound is chosen, it plays as
// loud as a replacement would write it, so the user chooses by ear.
#pragma once

#include <string>

namespace sonatrix {

class MainModel;
class TreeNode;

// The preview's file in the user's data folder, written anew for each
// gain-matched preview.
inline constexpr const char* kMatchedPreviewName = "preview.wav";

// A click on `node` (nullptr when nothing is selected): its library-relative
// path becomes SelectedLibrarySound and an existing file is previewed.
void TreeView1Click(MainModel& model, const TreeNode* node);

}  // namespace sonatrix
