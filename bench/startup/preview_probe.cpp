// SPDX-License-Identifier: GPL-3.0-or-later
// The first preview against a second one: from the click until the sound
// plays. The first also loads the sound module, Qt Multimedia and the sound
// server's libraries, which the start left out. Takes the program folder
// and a WAV file as its arguments; reports "first_ms" and "second_ms".
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>

#include "probe_report.h"
#include "sound_module_loader.h"

namespace {

// True once the preview's sound effect has loaded the file and plays it.
// Read through Qt's meta-object: this program links no Qt Multimedia.
bool Playing(QObject* player) {
    for (QObject* child : player->children())
        if (qstrcmp(child->metaObject()->className(), "QSoundEffect") == 0)
            return child->property("playing").toBool() && child->property("status").toInt() == 2;
    return false;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 3)
        return 2;
    using sonatrix::gui::SoundModuleLoader;
    SoundModuleLoader loader(SoundModuleLoader::ModuleFiles(QFile::decodeName(argv[1])));
    std::unique_ptr<sonatrix::SoundPlayer> player;
    for (const char* key : {"first_ms", "second_ms"}) {
        QElapsedTimer clicked;
        clicked.start();
        // What the program's player does at its first sound.
        if (!player)
            if (sonatrix::gui::SoundModule* module = loader.Module())
                player = module->MakePlayer(nullptr);
        if (!player)
            return 4;
        player->PlayAsync(argv[2]);
        auto* object = dynamic_cast<QObject*>(player.get());
        while (object && !Playing(object) && clicked.elapsed() < 10000)
            app.processEvents(QEventLoop::AllEvents, 1);
        if (!object || !Playing(object))
            return 5;
        sonatrix::bench::Report(key, std::to_string(double(clicked.nsecsElapsed()) / 1e6));
    }
    return 0;
}
