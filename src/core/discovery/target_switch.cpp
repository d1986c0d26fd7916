// SPDX-License-Identifier: GPL-3.0-or-later
#include "discovery/target_switch.h"

#include "catalogue/catalogue.h"
#include "discovery/manual_pick.h"
#include "discovery/process_lookup.h"
#include "discovery/program_target.h"
#include "discovery/sound_folder.h"
#include "model/dialogs.h"
#include "model/main_model.h"
#include "model/target_ready.h"
#include "platform/desktop_settings.h"
#include "platform/files.h"
#include "platform/path_pieces.h"
#include "platform/registry.h"

namespace sonatrix {
namespace {

struct SearchByKind {
    const char* executable;
    std::int32_t byName;
    std::int32_t nameBlind;
};
constexpr SearchByKind kQQSearch{"QQ.exe", ByNameQQ, AnyExeSoundFolder};
constexpr SearchByKind kMsnSearch{"msnmsgr.exe", ByNameMsn, AnyExeRingWav};
constexpr SearchByKind kTMSearch{"TM.exe", ByNameTM, AnyExeTMLayout};

// The desktop needs no search: its sounds go to one folder of the user's.
void AdoptDesktop(MainModel& model) {
    model.state.TargetSoundDir = DesktopSoundFolder(model.DataFolder);
    model.state.TargetStatusText = model.state.TargetSoundDir;
    model.Changed(kAspectTargetStatus);
}

void Search(MainModel& model, const SearchByKind& search) {
    if (FindApp(model, search.executable, search.byName) == 0)
        FindApp(model, search.executable, search.nameBlind);
}

struct Lookup {
    SearchByKind search;
    RegistryLocation registry;
    const char* registrySuffix;  // appended to the registry's folder
    const char* question;
};

// A folder the picker gave for QQ: QQ's sounds when it holds them itself,
// else the "sound\" folder below it.
std::string PickedQQFolder(FileSystem& files, const std::string& picked) {
    const std::string folder = FolderPart(picked);
    if (files.FileExists(folder + "msg.wav"))
        return folder;
    return folder + NativePath("sound\\");
}

bool Locate(MainModel& model, const Lookup& lookup, bool isQQ, std::string& folder) {
    auto& state = model.state;
    folder.clear();

    const std::string savedStatus = state.TargetStatusText;
    const std::string savedFolder = state.TargetSoundDir;
    state.TargetSoundDir.clear();
    Search(model, lookup.search);
    folder = state.TargetSoundDir;
    state.TargetStatusText = savedStatus;
    state.TargetSoundDir = savedFolder;
    model.Changed(kAspectTargetStatus);

    if (folder.empty()) {
        const RegistryValue value =
            model.svc.registry.ReadLocalMachineString(lookup.registry.key, lookup.registry.value);
        if (value.status == RegistryValue::Status::OtherType) {
            ReportAppError(model.svc.dialogs, InvalidDataTypeText(lookup.registry.value));
            return false;
        }
        if (value.status == RegistryValue::Status::String && !value.text.empty())
            folder = value.text + NativePath(lookup.registrySuffix);
    }

    if (folder.empty()) {
        const int answer = model.svc.dialogs.MessageBox(lookup.question, kAppTitle,
                                                        mb::kYesNo | mb::kIconQuestion);
        if (answer == mb::kIdYes) {
            const std::string picked = model.svc.dialogs.ShowPicker();
            if (!picked.empty())
                folder = isQQ ? PickedQQFolder(model.svc.files, picked) : FolderPart(picked);
        }
    }
    return true;
}

}  // namespace

void ComboBox1Select(MainModel& model, int index) {
    auto& state = model.state;
    state.ComboIndex = index;
    state.TargetKind = index;
    state.TargetSoundDir.clear();
    state.TargetStatusText.clear();
    state.TargetList.clear();
    state.TargetProgram = {};
    model.Changed(kAspectCombo | kAspectTargetStatus | kAspectTargetList);

    switch (index) {
        case kKindQQ:
            Search(model, kQQSearch);
            break;
        case kKindMsn:
            Search(model, kMsnSearch);
            break;
        case kKindTM:
            Search(model, kTMSearch);
            break;
        case kKindOther:
            SpeedButton1Click(model);
            break;
        case kKindDesktop:
            AdoptDesktop(model);
            break;
        case kKindProgram:
            ChooseSettingsProgram(model);
            break;
        default:
            break;
    }

    if (state.TargetSoundDir.empty()) {
        state.SelectedTargetSound.clear();
        model.Changed(kAspectLabels);
        return;
    }
    MakeTargetReady(model);
}

bool LocateQQSoundDir(MainModel& model, std::string& folder) {
    static const Lookup kLookup{kQQSearch, kQQRegistry, "sound\\", kAskQQPath};
    return Locate(model, kLookup, true, folder);
}

bool LocateMsnSoundDir(MainModel& model, std::string& folder) {
    static const Lookup kLookup{kMsnSearch, kMsnRegistry, "", kAskMsnPath};
    return Locate(model, kLookup, false, folder);
}

}  // namespace sonatrix
