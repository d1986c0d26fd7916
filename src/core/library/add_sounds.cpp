// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/add_sounds.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <exception>

#include "catalogue/catalogue.h"
#include "library/library_tree.h"
#include "library/numbered_names.h"
#include "library/part_files.h"
#include "library/sound_files.h"
#include "model/batch_progress.h"
#include "model/dialogs.h"
#include "model/library_locations.h"
#include "model/main_model.h"
#include "platform/files.h"
#include "platform/path_pieces.h"
#include "platform/sound_decoder.h"

namespace sonatrix {
namespace {

std::string StemOf(const std::string& fileName) {
    return fileName.substr(0, fileName.size() - ExtensionOf(fileName).size());
}

// True when the files `a` and `b` hold the same bytes. Read a block at a
// time: a long sound costs no more memory than a short one.
bool SameBytes(const std::string& a, const std::string& b) {
    std::FILE* first = std::fopen(a.c_str(), "rb");
    std::FILE* second = first ? std::fopen(b.c_str(), "rb") : nullptr;
    bool same = second != nullptr;
    std::vector<char> one(1 << 16), other(1 << 16);
    while (same) {
        const std::size_t got = std::fread(one.data(), 1, one.size(), first);
        same =
            std::fread(other.data(), 1, other.size(), second) == got &&
            std::equal(one.begin(), one.begin() + static_cast<std::ptrdiff_t>(got), other.begin());
        if (got < one.size())
            break;
    }
    same = same && !std::ferror(first) && !std::ferror(second);
    for (std::FILE* file : {first, second})
        if (file)
            std::fclose(file);
    return same;
}

// The name among `family` (names in `folder`) whose bytes are those of the
// file `path`, or "".
std::string NameWithSameBytes(const std::string& folder, const std::vector<std::string>& family,
                              const std::string& path) {
    for (const std::string& name : family)
        if (SameBytes(folder + name, path))
            return name;
    return {};
}

std::string CopyPcmWav(FileSystem& files, const std::string& source, const std::string& folder,
                       std::string& name) {
    const std::string sourceName = FileNameOf(source);
    const std::string stem = StemOf(sourceName);
    const std::string extension = ExtensionOf(sourceName);
    const std::vector<std::string> family = FamilyNames(files, folder, stem, extension);
    if (std::string same = NameWithSameBytes(folder, family, source); !same.empty()) {
        name = same;
        return {};
    }
    const std::string target = FreeNumberedName(files, folder, stem, extension);
    if (const int error = files.CopyFile(source, folder + target))
        return SystemErrorText(error);
    name = target;
    return {};
}

// The decoder writes a hidden file beside the library's, which takes its
// name only once it is whole and on the disk.
std::string Convert(FileSystem& files, SoundDecoder& decoder, const std::string& source,
                    const std::string& folder, const std::atomic<bool>& stop, std::string& name) {
    const std::string wavName = ConvertedName(FileNameOf(source));
    const std::string part = PartPathFor(folder + wavName);
    const DecodeResult decoded = decoder.Decode(source, part, stop);
    if (stop || !decoded.ok) {
        files.DeleteFile(part);
        return stop ? std::string() : decoded.reason;
    }
    const std::string stem = StemOf(wavName);
    const std::vector<std::string> family = FamilyNames(files, folder, stem, ".wav");
    if (std::string same = NameWithSameBytes(folder, family, part); !same.empty()) {
        files.DeleteFile(part);
        name = same;
        return {};
    }
    const std::string target = FreeNumberedName(files, folder, stem, ".wav");
    if (const int error = MovePartIntoPlace(part, folder + target)) {
        files.DeleteFile(part);
        return CLibraryErrorText(error);
    }
    name = target;
    return {};
}

}  // namespace

std::string AddedSoundsFolder(const MainModel& model) {
    return LibraryWriteFolder(model.state) + kSep + kCustomCategory + kSep;
}

std::string AddOneSound(FileSystem& files, SoundDecoder& decoder, const std::string& source,
                        const std::string& folder, const std::atomic<bool>& stop,
                        std::string& name) {
    name.clear();
    bool pcm = false;
    // A pipe or a device is no sound file, and is never waited on.
    if (const int error = ProbePcmWav(source, pcm))
        return error == EINVAL ? kNotASoundFile : CLibraryErrorText(error);
    if (pcm)
        return CopyPcmWav(files, source, folder, name);
    return Convert(files, decoder, source, folder, stop, name);
}

bool AddSoundFiles(MainModel& model, const std::vector<std::string>& sources, AddReport& report) {
    FileSystem& files = model.svc.files;
    const std::string folder = AddedSoundsFolder(model);
    const std::string category = folder.substr(0, folder.size() - 1);
    if (!files.FolderExists(category)) {
        std::string failedFolder;
        if (const int error = CreateLibraryFolder(files, model.state, category, failedFolder)) {
            ReportAppError(model.svc.dialogs,
                           "Cannot create folder " + failedFolder + ": " + SystemErrorText(error));
            return false;
        }
    }
    BatchProgress& progress = model.svc.progress;
    progress.Begin(static_cast<int>(sources.size()));
    for (std::size_t i = 0; i < sources.size(); ++i) {
        const std::string sourceName = FileNameOf(sources[i]);
        std::string reason;
        std::string name;
        const bool finished =
            progress.Run(static_cast<int>(i), sourceName, [&](const std::atomic<bool>& stop) {
                // A failure of the library itself (memory) is that file's.
                try {
                    reason = AddOneSound(files, model.svc.decoder, sources[i], folder, stop, name);
                } catch (const std::exception&) {
                    reason = kAddingFailed;
                }
            });
        // A file finished as the user cancelled is kept; the one in hand
        // left nothing behind.
        if (!name.empty())
            report.added.push_back(name);
        if (!finished) {
            report.cancelled = true;
            break;
        }
        if (!reason.empty())
            report.failed.push_back({sourceName, reason});
    }
    progress.End();
    return true;
}

std::string FailedAddsText(const std::vector<FailedAdd>& failed) {
    std::string text = "以下声音文件没有添加成功：";
    for (const FailedAdd& add : failed)
        text += "\n" + add.name + "：" + add.reason;
    return text;
}

void AddSoundsAndReport(MainModel& model, const std::vector<std::string>& sources) {
    Dialogs& dialogs = model.svc.dialogs;
    if (sources.empty()) {
        dialogs.MessageDlg(kNoWavInFolder, DlgType::Warning, kDlgOK);
        return;
    }
    AddReport report;
    if (!AddSoundFiles(model, sources, report))
        return;
    RebuildLibraryTree(model);
    // The program is closing: nothing more is said.
    if (model.svc.progress.Closing())
        return;
    // A file that was not added is said so, never passed off as added.
    if (!report.failed.empty())
        dialogs.MessageDlg(FailedAddsText(report.failed), DlgType::Error, kDlgOK);
    if (!report.cancelled)
        dialogs.ShowMessage(kSoundsAdded);
}

void SpeedButton12Click(MainModel& model) {
    const auto chosen = model.svc.dialogs.BrowseForFolder(kChooseWavFolderTitle);
    if (!chosen)
        return;
    const std::string folder = WithTrailingSeparator(*chosen);
    std::vector<std::string> sources;
    for (const std::string& name : SoundFilesIn(model.svc.files, folder))
        sources.push_back(folder + name);
    AddSoundsAndReport(model, sources);
}

void TreeView1DragDrop(MainModel& model, const std::vector<std::string>& paths) {
    FileSystem& files = model.svc.files;
    std::vector<std::string> sources;
    for (const std::string& path : paths) {
        if (files.FolderExists(path)) {
            const std::string folder = WithTrailingSeparator(path);
            for (const std::string& name : SoundFilesIn(files, folder))
                sources.push_back(folder + name);
        } else if (IsSoundFileName(FileNameOf(path))) {
            sources.push_back(path);
        }
    }
    AddSoundsAndReport(model, sources);
}

bool FormCloseQuery(MainModel& model) {
    BatchProgress& progress = model.svc.progress;
    if (!progress.Running())
        return true;
    if (model.svc.dialogs.MessageDlg(kStopAddingAndQuit, DlgType::Confirm, kDlgYes | kDlgNo) ==
        DlgResult::Yes)
        progress.StopForClosing();
    return false;
}

}  // namespace sonatrix
