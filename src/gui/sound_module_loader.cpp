// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound_module_loader.h"

#include <QApplication>
#include <QFileInfo>
#include <QPluginLoader>

namespace sonatrix::gui {

SoundModuleLoader::SoundModuleLoader(QStringList files) : files_(std::move(files)) {}

// The module stays loaded to the end: what it made may outlive this.
SoundModuleLoader::~SoundModuleLoader() = default;

QString SoundModuleLoader::ProgramFolder() {
    return QCoreApplication::applicationDirPath() + '/';
}

QStringList SoundModuleLoader::ModuleFiles(const QString& folder) {
    return {folder + QStringLiteral(SONATRIX_SOUND_MODULE),
            folder + QStringLiteral(SONATRIX_INSTALLED_SOUND_MODULE)};
}

SoundModule* SoundModuleLoader::Module() {
    if (tried_)
        return module_;
    tried_ = true;
    QString why = QStringLiteral("not in %1").arg(files_.join(", "));
    for (const QString& file : files_) {
        if (!QFileInfo(file).isFile())
            continue;
        plugin_ = std::make_unique<QPluginLoader>(file);
        module_ = qobject_cast<SoundModule*>(plugin_->instance());
        if (module_)
            return module_;
        why = plugin_->errorString();
        break;
    }
    qWarning("Sonatrix cannot load its sound module: %s", qPrintable(why));
    // Told from the event loop, not from inside the command that asked.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (dialogs_)
                dialogs_->MessageBox(kNoSoundModule, "错误", mb::kOK | mb::kIconError);
        },
        Qt::QueuedConnection);
    return nullptr;
}

void ModuleSoundPlayer::PlayAsync(const std::string& path) {
    if (!player_) {
        const bool toldBefore = loader_.Failed();
        if (SoundModule* module = loader_.Module())
            player_ = module->MakePlayer(decoder_);
        else if (toldBefore)
            QApplication::beep();  // the first sound asked for said why
    }
    if (player_)
        player_->PlayAsync(path);
}

int ModuleAudioCapture::Start(const std::string& wavFile) {
    if (!capture_)
        if (SoundModule* module = loader_.Module())
            capture_ = module->MakeCapture();
    return capture_ ? capture_->Start(wavFile) : kNoModule;
}

}  // namespace sonatrix::gui
