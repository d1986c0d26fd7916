// SPDX-License-Identifier: GPL-3.0-or-later
// Adding sound files from disk to the library ("添加声音", or files dropped
// on the library tree): a PCM WAV enters as it is, any other audio file is
// converted into one.
#pragma once

#include <atomic>
#include <string>
#include <vector>

namespace sonatrix {

class FileSystem;
class MainModel;
class SoundDecoder;

inline constexpr const char* kChooseWavFolderTitle = "选择一个包含有WAV格式声音文件的目录";
inline constexpr const char* kNoWavInFolder =
    "您选择的程序目录或文件夹内不包含任何的wav文件，请另外选择一个。";
inline constexpr const char* kSoundsAdded = "声音添加完成。";
inline constexpr const char* kStopAddingAndQuit = "正在添加声音，是否停止并退出？";
inline constexpr const char* kAddingFailed = "添加时出错";

// A file that could not be added, with the reason in plain words.
struct FailedAdd {
    std::string name;
    std::string reason;
};

// What one batch of adding did.
struct AddReport {
    std::vector<std::string> added;  // names in the category, in the order added
    std::vector<FailedAdd> failed;
    bool cancelled = false;
};

// The folder added sounds go to (ending in a separator): the library's
// category "自定义".
std::string AddedSoundsFolder(const MainModel& model);

// Adds one file to `folder` (ending in a separator): a PCM WAV is copied
// byte for byte under its own name, anything else is decoded and written
// as a 16-bit PCM WAV named after it. A name in use by a different file
// gives the next "-N" name; a file with the same bytes as one of its name
// already there is not added again. Fills `name` with the file's name in
// `folder` and returns "", or returns why it was not added; nothing is left
// behind for a file that was not added, nor when `stop` is set.
std::string AddOneSound(FileSystem& files, SoundDecoder& decoder, const std::string& source,
                        const std::string& folder, const std::atomic<bool>& stop,
                        std::string& name);

// Adds the files `sources` (full paths) one after another off the window's
// thread, with the progress the batch shows, creating the category folder
// when it is missing. False when that folder cannot be created (the
// standard error box has then been shown and nothing was added).
bool AddSoundFiles(MainModel& model, const std::vector<std::string>& sources, AddReport& report);

// Adds `sources`, rebuilds the tree, lists what could not be added and says
// the sounds were added (not after a cancel). Without any source, warns.
void AddSoundsAndReport(MainModel& model, const std::vector<std::string>& sources);

// The command: browse for a folder and add its sound files.
void SpeedButton12Click(MainModel& model);

// Files and folders dropped on the library tree: the files that are sounds,
// and the sound files directly in the folders, are added.
void TreeView1DragDrop(MainModel& model, const std::vector<std::string>& paths);

// One Error dialog text listing each file with its reason.
std::string FailedAddsText(const std::vector<FailedAdd>& failed);

// The window is asked to close: true when it may. While sounds are being
// added the user is asked first; "Yes" stops the batch, and the window
// closes once the file in hand is left out.
bool FormCloseQuery(MainModel& model);

}  // namespace sonatrix
