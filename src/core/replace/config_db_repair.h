// SPDX-License-Identifier: GPL-3.0-or-later
// Finding the folder QQ really plays its sounds from, through the account's
// "Config.db" ("如果换音无效，请点击这里").
#pragma once

namespace sonatrix {

class MainModel;

inline constexpr int kQQNumberMaxLength = 255;

// Asks for the QQ number, reads that account's Config.db and makes the
// folder recorded there for "msg.wav" the target folder; when that folder
// does not exist, offers to delete the file so that QQ rebuilds it.
void Button2Click(MainModel& model);

}  // namespace sonatrix
