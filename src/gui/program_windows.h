// SPDX-License-Identifier: GPL-3.0-or-later
// The program's three windows over the native services: TForm1 at once,
// the picker (TForm2) and the recorder (TForm3) when they are first opened,
// so that a start builds only the window it shows.
#pragma once

#include <memory>
#include <string>

#include "helper_decoder.h"
#include "library/recorder_logic.h"
#include "model/main_model.h"
#include "pictures.h"
#include "platform/files.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "qt_batch_progress.h"
#include "qt_dialogs.h"
#include "qt_local_time_text.h"
#include "sound_module_loader.h"
#include "tform1.h"
#include "tform2.h"
#include "tform3.h"

namespace sonatrix::gui {

struct NativeServices {
    // First, so that the pictures are drawn while everything else is made.
    PicturesDrawnAhead pictures;
    std::unique_ptr<FileSystem> files = MakeNativeFileSystem();
    // The walk of the processes for the first show runs while the windows
    // are being built.
    std::unique_ptr<ProcessSource> processes = PrefetchFirstSnapshot(MakeNativeProcessSource());
    std::unique_ptr<Registry> registry = MakeNativeRegistry();
    std::unique_ptr<Shell> shell = MakeNativeShell();
    HelperDecoder decoder;
    HelperPreviewDecoder previewDecoder{decoder};
    QtBatchProgress progress;
    // Playing and recording load the sound module at their first use.
    SoundModuleLoader soundModule;
    ModuleSoundPlayer player{soundModule, &previewDecoder};
    ModuleAudioCapture capture{soundModule};
    QtLocalTimeText clock;
};

class ProgramWindows {
  public:
    // `appDir`: the executable's folder with its trailing separator.
    // `dialogs`: the dialog layer to use instead of the Qt one (a tool that
    // must not wait for a user), or nullptr.
    explicit ProgramWindows(std::string appDir, Dialogs* dialogs = nullptr);

    NativeServices native;
    QtDialogs qtDialogs;
    MainModel model;
    RecorderLogic recorder;  // TForm3's state, kept between showings
    TForm1 form1;

    // Made at the first call, owned by form1 as their parent.
    TForm2& Form2();
    TForm3& Form3();

  private:
    TForm2* form2_ = nullptr;
    TForm3* form3_ = nullptr;
};

// The folder of the running executable, with its trailing separator.
std::string ExecutableFolder();

}  // namespace sonatrix::gui
