// Adding the WAV files of a folder on disk to the library ("添加声音").
#pragma once

#include <string>
#include <vector>

namespace sonatrix {

class MainModel;

inline constexpr const char* kChooseWavFolderTitle = "选择一个包含有WAV格式声音文件的目录";
inline constexpr const char* kNoWavInFolder =
    "您选择的程序目录或文件夹内不包含任何的wav文件，请另外选择一个。";
inline constexpr const char* kSoundsAdded = "声音添加完成。";

// A file that could not be added, with the system's reason.
struct FailedCopy {
    std::string name;
    int error = 0;
};

// Copies every "*.wav" entry of `sourceFolder` (ending in a separator) into
// the library's category "自定义", creating that one folder level when it is
// missing. Returns false when the category folder cannot be created (the
// standard error box has then been shown and nothing was copied); the
// files that could not be copied are added to `failed`.
bool M_add_newsound(MainModel& model, const std::string& sourceFolder,
                    std::vector<FailedCopy>& failed);

// The command: browse for a folder, copy its WAV files, rebuild the tree,
// report what could not be added, then say the sounds were added.
void SpeedButton12Click(MainModel& model);

// One Error dialog text listing each file with the system's reason.
std::string FailedCopiesText(const std::vector<FailedCopy>& failed);

}  // namespace sonatrix
