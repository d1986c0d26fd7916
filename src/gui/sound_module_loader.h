// SPDX-License-Identifier: GPL-3.0-or-later
// The program's player and recorder: each loads the sound module
// (src/sound/sound_module.h) the first time it is used, and then hands
// every call to what the module made. Without the module the program still
// runs: the first sound asked for says "找不到播放声音的模块", later ones give
// the system's beep, and the recorder cannot start.
#pragma once

#include <QObject>
#include <QStringList>
#include <memory>

#include "helper_decoder.h"
#include "model/dialogs.h"
#include "sound_module.h"

class QPluginLoader;

namespace sonatrix::gui {

inline constexpr const char* kNoSoundModule = "找不到播放声音的模块";

class SoundModuleLoader : public QObject {
    Q_OBJECT
  public:
    // `files`: where the module may be; the first that exists is loaded.
    explicit SoundModuleLoader(QStringList files = ModuleFiles(ProgramFolder()));
    ~SoundModuleLoader() override;

    // Where the failure is told; without it, it goes to the standard error
    // only.
    void SetDialogs(Dialogs* dialogs) { dialogs_ = dialogs; }

    // The module, loaded at the first call. Null when it cannot be loaded;
    // the first such call tells the user, once the window's event loop is
    // free again (the caller may be in the middle of a command).
    SoundModule* Module();
    // True once loading has failed.
    bool Failed() const { return tried_ && !module_; }

    // The module in the program folder `folder` (with its trailing
    // separator): beside the program, or where the Debian package puts it.
    static QStringList ModuleFiles(const QString& folder);
    static QString ProgramFolder();

  private:
    QStringList files_;
    Dialogs* dialogs_ = nullptr;
    bool tried_ = false;
    std::unique_ptr<QPluginLoader> plugin_;
    SoundModule* module_ = nullptr;
};

class ModuleSoundPlayer : public SoundPlayer {
  public:
    ModuleSoundPlayer(SoundModuleLoader& loader, PreviewDecoder* decoder)
        : loader_(loader), decoder_(decoder) {}
    void PlayAsync(const std::string& path) override;

  private:
    SoundModuleLoader& loader_;
    PreviewDecoder* decoder_;
    std::unique_ptr<SoundPlayer> player_;
};

class ModuleAudioCapture : public AudioCapture {
  public:
    // What Start and Stop return without the module: the source failed.
    static constexpr int kNoModule = 2;

    explicit ModuleAudioCapture(SoundModuleLoader& loader) : loader_(loader) {}
    int Start(const std::string& wavFile) override;
    int Stop() override { return capture_ ? capture_->Stop() : kNoModule; }
    std::uint64_t BytesCaptured() const override {
        return capture_ ? capture_->BytesCaptured() : 0;
    }
    void Suspend() override {
        if (capture_)
            capture_->Suspend();
    }
    void Resume() override {
        if (capture_)
            capture_->Resume();
    }

  private:
    SoundModuleLoader& loader_;
    std::unique_ptr<AudioCapture> capture_;
};

// The program's decoding helper as the preview player asks for it.
class HelperPreviewDecoder : public PreviewDecoder {
  public:
    explicit HelperPreviewDecoder(HelperDecoder& helper) : helper_(helper) {}
    void DecodeLater(const std::string& source, const std::string& wav, Done done) override {
        helper_.DecodeLater(source, wav, std::move(done));
    }
    void Cancel() override { helper_.Cancel(); }

  private:
    HelperDecoder& helper_;
};

}  // namespace sonatrix::gui
