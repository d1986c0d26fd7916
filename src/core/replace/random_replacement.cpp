#include "replace/random_replacement.h"

#include <cstdint>
#include <random>

#include "app/dialogs.h"
#include "app/main_model.h"
#include "discovery/manual_pick.h"
#include "library/library_tree.h"
#include "platform/files.h"
#include "platform/path_pieces.h"
#include "replace/single_replacement.h"

namespace sonatrix {
namespace {

bool IsDotName(const std::string& name) {
    return !name.empty() && name.front() == '.';
}

void CollectFiles(FileSystem& files, const std::string& folder, std::vector<std::string>& out) {
    const std::string base = WithTrailingSeparator(folder);
    std::vector<DirEntry> entries;
    if (!files.ListFolder(base, entries))
        return;
    for (const DirEntry& entry : entries) {
        if (IsDotName(entry.name))
            continue;
        if (entry.isFolder)
            CollectFiles(files, base + entry.name, out);
        else
            out.push_back(base + entry.name);
    }
}

// File number N as PickLibraryFile draws it: 1 .. LibrarySoundCount, or 1
// for an empty count.
std::int32_t DrawFileNumber(MainModel& model) {
    const std::int32_t count = model.state.LibrarySoundCount;
    if (count <= 0)
        return 1;
    return std::uniform_int_distribution<std::int32_t>(0, count - 1)(model.random) + 1;
}

// A drawn ".wav" file of the library, or nothing when the draws found none.
const std::string* DrawWav(MainModel& model, const std::vector<std::string>& library) {
    for (int attempt = 0; attempt < kRandomDrawTries; ++attempt) {
        const std::int32_t n = DrawFileNumber(model);
        // The library may have shrunk since the tree counted it.
        if (n > static_cast<std::int64_t>(library.size()))
            return nullptr;
        const std::string& file = library[static_cast<std::size_t>(n - 1)];
        if (SameIgnoringAsciiCase(ExtensionOf(file), ".wav"))
            return &file;
    }
    return nullptr;
}

}  // namespace

std::vector<std::string> LibraryFilesInWalkOrder(FileSystem& files, const std::string& folder) {
    std::vector<std::string> out;
    CollectFiles(files, folder, out);
    return out;
}

void Button3Click(MainModel& model) {
    Dialogs& dialogs = model.svc.dialogs;
    if (dialogs.MessageBox("是否随机换音？", kQuestionCaption, mb::kYesNo) != mb::kIdYes)
        return;
    const MainState& state = model.state;
    const char* noTargetQuestion = "当前没有可替换的声音，是否手工指定程序？";
    if (state.TargetList.empty()) {
        if (dialogs.MessageBox(noTargetQuestion, kQuestionCaption, mb::kYesNo) == mb::kIdYes)
            SpeedButton1Click(model);
        return;
    }
    // Without a target folder the destinations would be bare names in the
    // working folder.
    if (!HaveTargetOrOfferPick(model, noTargetQuestion))
        return;

    // One walk for the whole command; each draw indexes into it.
    const std::vector<std::string> library =
        LibraryFilesInWalkOrder(model.svc.files, state.AppDir + kLibraryFolder);
    std::string failures;
    for (const std::string& item : state.TargetList) {
        const std::string* source = DrawWav(model, library);
        if (!source)
            continue;
        if (const int error = model.svc.files.CopyFile(*source, state.TargetSoundDir + item)) {
            if (!failures.empty())
                failures += '\n';
            failures += item + SystemErrorText(error);
        }
    }
    if (!failures.empty())
        dialogs.MessageDlg(failures, DlgType::Error, kDlgOK);
    dialogs.MessageBox("随机换音完成。", "完成", mb::kOK);
}

}  // namespace sonatrix
