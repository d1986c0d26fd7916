// SPDX-License-Identifier: GPL-3.0-or-later
// The program picker (TForm2) without its window: the process list, the
// current choice and the checks that turn a choice into PickedPath.
#pragma once

#include <string>
#include <vector>

namespace sonatrix {

class Dialogs;
class FileSystem;
class ProcessSource;

inline constexpr const char* kPickerCaption = "显示用户进程";
inline constexpr const char* kPickerNote =
    "注意：如果您要更改的是除qq和msn以外的声音，那么最好选择“浏览文件夹……”按钮，手工指定包含有声音"
    "文件的文件夹。";
inline constexpr const char* kPickerNoWav =
    "您选择的程序目录或文件夹内不包含任何的wav文件，请另外选择一个。";
inline constexpr const char* kPickerFolderTitle = "选择一个包含有WAV格式声音文件的目录";
inline constexpr const char* kPickerExeFilterName = "exe文件";
inline constexpr const char* kPickerExeFilterPattern = "*.exe";

class PickerLogic {
  public:
    PickerLogic(FileSystem& files, ProcessSource& processes, Dialogs& dialogs);

    // The result: the confirmed choice after OK, empty after any other close.
    std::string PickedPath;
    // The current choice: the caption of Label1.
    std::string Choice;
    // ListBox1: one executable path per running process, in snapshot order.
    std::vector<std::string> ProcessList;

    void FillProcessList();
    void FormShow() { FillProcessList(); }
    void Button4Click() { FillProcessList(); }  // "刷新"

    // A selected line (-1: none) becomes the current choice.
    void ListBox1Click(int index);
    // The double-clicked line becomes the choice (also over a program
    // browsed to since the line was clicked) and is checked as by "确定";
    // true when the dialog is to close with OK.
    bool ListBox1DblClick(int index);
    void Button1Click();  // "浏览程序……"
    void Button5Click();  // "浏览文件夹……"
    // "确定": true when the choice holds WAV files (PickedPath is set and the
    // dialog closes with OK); false after the warning, the dialog stays open.
    bool Button2Click();
    // "取消", the close box, Escape: the dialog closes without a pick.
    void Button3Click() { PickedPath.clear(); }
    void ClosedWithoutOK() { PickedPath.clear(); }

  private:
    FileSystem& files_;
    ProcessSource& processes_;
    Dialogs& dialogs_;
};

}  // namespace sonatrix
