// SPDX-License-Identifier: GPL-3.0-or-later
#include "discovery/picker_logic.h"

#include "discovery/folder_has_wav.h"
#include "model/dialogs.h"
#include "platform/path_pieces.h"
#include "platform/processes.h"

namespace sonatrix {

PickerLogic::PickerLogic(FileSystem& files, ProcessSource& processes, Dialogs& dialogs)
    : files_(files), processes_(processes), dialogs_(dialogs) {}

void PickerLogic::FillProcessList() {
    Choice.clear();
    ProcessList.clear();
    std::vector<ProcessEntry> processes;
    if (!processes_.Snapshot(processes))
        return;
    for (const auto& process : processes) {
        for (const auto& module : process.modules) {
            if (SameIgnoringAsciiCase(ExtensionOf(module), ".exe")) {
                ProcessList.push_back(module);
                break;
            }
        }
    }
}

void PickerLogic::ListBox1Click(int index) {
    if (index >= 0 && index < static_cast<int>(ProcessList.size()))
        Choice = ProcessList[index];
}

bool PickerLogic::ListBox1DblClick(int index) {
    if (index < 0 || index >= static_cast<int>(ProcessList.size()))
        return false;
    Choice = ProcessList[index];
    return Button2Click();
}

void PickerLogic::Button1Click() {
    if (auto file = dialogs_.OpenFile(kPickerExeFilterName, kPickerExeFilterPattern))
        Choice = *file;
}

void PickerLogic::Button5Click() {
    if (auto folder = dialogs_.BrowseForFolder(kPickerFolderTitle))
        Choice = *folder + kSep;
}

bool PickerLogic::Button2Click() {
    // An empty choice would probe the working folder, which means nothing
    // to the user.
    if (!Choice.empty()) {
        const std::string folder = FolderPart(Choice);
        if (FolderHasWav(files_, folder)) {
            PickedPath = Choice;
            return true;
        }
        // Fixed order: the first layout that holds a WAV file wins.
        for (const char* below :
             {"sound\\", "TMsound\\", "sounds\\", "..\\Misc\\Sound\\Classic\\"}) {
            const std::string candidate = folder + NativePath(below);
            if (FolderHasWav(files_, candidate)) {
                Choice = candidate;
                PickedPath = Choice;
                return true;
            }
        }
    }
    dialogs_.MessageDlg(kPickerNoWav, DlgType::Warning, kDlgOK);
    return false;
}

}  // namespace sonatrix
