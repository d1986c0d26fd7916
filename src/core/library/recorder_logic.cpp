// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/recorder_logic.h"

#include <cstdint>
#include <vector>

#include "catalogue/catalogue.h"
#include "library/audio_capture.h"
#include "library/library_tree.h"
#include "library/numbered_names.h"
#include "library/wav_header.h"
#include "model/dialogs.h"
#include "model/library_locations.h"
#include "model/main_model.h"
#include "platform/files.h"
#include "platform/path_pieces.h"
#include "platform/shell.h"

namespace sonatrix {
namespace {

constexpr std::uint16_t kChannels = 1;
constexpr std::uint16_t kBitsPerSample = 8;
constexpr std::int32_t kSampleRate = 22050;

}  // namespace

std::string DigitsOf(std::string_view text) {
    std::string digits;
    for (const char c : text)
        if (c >= '0' && c <= '9')
            digits.push_back(c);
    return digits;
}

std::string FreeRecordingName(FileSystem& files, const std::string& folder,
                              const std::string& digits) {
    return FreeNumberedName(files, folder, digits, ".wav");
}

RecorderLogic::RecorderLogic(MainModel& model, AudioCapture& capture, LocalTimeText& clock)
    : model_(model), capture_(capture), clock_(clock) {}

void RecorderLogic::Button1Click() {
    const std::string category = LibraryWriteFolder(model_.state) + kSep + kRecordingsCategory;
    // Installed, the user's library is made on first use, as a new user has
    // none; in the program's own folder a missing category fails the start.
    if (IsInstalled(model_.state) && !model_.svc.files.FolderExists(category)) {
        std::string failedFolder;
        CreateLibraryFolder(model_.svc.files, model_.state, category, failedFolder);
    }
    const std::string folder = category + kSep;
    file_ = folder + FreeRecordingName(model_.svc.files, folder, DigitsOf(clock_.Now()));
    // A header file whose capture cannot start stays on disk: it is a valid,
    // empty WAV and shows up in the library like any other file.
    if (WriteWavHeader(kChannels, kBitsPerSample, kSampleRate, file_) != 0 ||
        capture_.Start(file_) != 0) {
        state_ = RecorderState::Idle;
        model_.svc.dialogs.MessageBox(kDeviceInitFailed, "错误", mb::kOK | mb::kIconError);
        return;
    }
    state_ = RecorderState::Recording;
}

void RecorderLogic::Button2Click() {
    const int stopped = capture_.Stop();
    const std::uint64_t captured = capture_.BytesCaptured();
    const int sized = FixWavSizes(file_);
    if (stopped == 0 && sized == 0 && captured > 0) {
        model_.svc.dialogs.MessageBox(kRecordingSaved, "信息", mb::kOK | mb::kIconInformation);
    } else {
        // A source that took the start but delivered nothing leaves a silent
        // file the user never recorded: it goes, so the library does not
        // fill with empty sounds. Whatever was captured is kept.
        if (captured == 0)
            model_.svc.files.DeleteFile(file_);
        model_.svc.dialogs.MessageBox(kSaveFailed, "错误", mb::kOK | mb::kIconError);
    }
    state_ = RecorderState::Idle;
}

void RecorderLogic::Button3Click() {
    if (!model_.svc.shell.StartRecordingSourceSettings())
        model_.svc.dialogs.MessageDlg(kNoSourceSettings, DlgType::Warning, kDlgOK);
}

bool RecorderLogic::FormCloseQuery() {
    if (state_ != RecorderState::Recording)
        return true;
    model_.svc.dialogs.MessageDlg(kStopFirst, DlgType::Warning, kDlgOK);
    return false;
}

}  // namespace sonatrix
