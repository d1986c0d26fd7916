#include "library/add_sounds.h"

#include "catalogue/catalogue.h"
#include "discovery/folder_has_wav.h"
#include "library/library_tree.h"
#include "model/dialogs.h"
#include "model/library_locations.h"
#include "model/main_model.h"
#include "platform/files.h"
#include "platform/path_pieces.h"

namespace sonatrix {

bool M_add_newsound(MainModel& model, const std::string& sourceFolder,
                    std::vector<FailedCopy>& failed) {
    FileSystem& files = model.svc.files;
    const std::string category = LibraryWriteFolder(model.state) + kSep + kCustomCategory;
    if (!files.FolderExists(category)) {
        std::string failedFolder;
        if (const int error = CreateLibraryFolder(files, model.state, category, failedFolder)) {
            ReportAppError(model.svc.dialogs,
                           "Cannot create folder " + failedFolder + ": " + SystemErrorText(error));
            return false;
        }
    }
    std::vector<DirEntry> entries;
    files.ListPattern(sourceFolder, "*.wav", entries);
    for (const DirEntry& entry : entries) {
        const int error = files.CopyFile(sourceFolder + entry.name, category + kSep + entry.name);
        if (error != 0)
            failed.push_back({entry.name, error});
    }
    return true;
}

std::string FailedCopiesText(const std::vector<FailedCopy>& failed) {
    std::string text = "以下声音文件没有添加成功：";
    for (const FailedCopy& copy : failed)
        text += "\n" + copy.name + "：" + SystemErrorText(copy.error);
    return text;
}

void SpeedButton12Click(MainModel& model) {
    Dialogs& dialogs = model.svc.dialogs;
    const auto chosen = dialogs.BrowseForFolder(kChooseWavFolderTitle);
    if (!chosen)
        return;
    const std::string folder = WithTrailingSeparator(*chosen);
    if (!FolderHasWav(model.svc.files, folder)) {
        dialogs.MessageDlg(kNoWavInFolder, DlgType::Warning, kDlgOK);
        return;
    }
    std::vector<FailedCopy> failed;
    if (!M_add_newsound(model, folder, failed))
        return;
    RebuildLibraryTree(model);
    // A copy that failed is said so, never passed off as added.
    if (!failed.empty())
        dialogs.MessageDlg(FailedCopiesText(failed), DlgType::Error, kDlgOK);
    dialogs.ShowMessage(kSoundsAdded);
}

}  // namespace sonatrix
