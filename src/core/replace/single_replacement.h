// SPDX-License-Identifier: GPL-3.0-or-later
// Replacing one sound of the target with one sound of the library ("换音").
#pragma once

#include <string>

namespace sonatrix {

class MainModel;

inline constexpr const char* kNoTargetQuestion = "当前没有可替换的QQ声音，是否手工指定程序？";
inline constexpr const char* kQuestionCaption = "询问";
// SpeedButton3's caption, which names every single replacement in the journal.
inline constexpr const char* kReplaceCaption = "换音";

// Copies the chosen library sound over the chosen target sound after the
// checks and the confirmation, then asks whether the new sound works.
void M_replace89(MainModel& model);

// The three gestures that start a replacement.
void SpeedButton3Click(MainModel& model);
void ListBox1DblClick(MainModel& model);
void TreeView1DblClick(MainModel& model);

// The question after a successful copy; "Cancel" starts the Config.db repair.
void ConfirmReplacementWorked(MainModel& model);

// True when there is a target folder. Without one, asks `question` and on
// "Yes" opens the program picker; the caller's command ends either way.
bool HaveTargetOrOfferPick(MainModel& model, const std::string& question);

}  // namespace sonatrix
