// SPDX-License-Identifier: GPL-3.0-or-later
#include "program_windows.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include "platform/user_data.h"

namespace sonatrix::gui {

ProgramWindows::ProgramWindows(std::string appDir, Dialogs* dialogs)
    : model(Services{*native.files, *native.processes, *native.registry,
                     dialogs ? *dialogs : qtDialogs, native.player, *native.shell, native.decoder,
                     native.progress},
            std::move(appDir), UserDataFolder()),
      recorder(model, native.capture, native.clock),
      form1(model),
      form2(model.svc, &form1),
      form3(recorder, &form1) {
    qtDialogs.SetOwner(&form1);
    native.soundModule.SetDialogs(dialogs ? dialogs : &qtDialogs);
    native.progress.SetOwner(&form1);
    qtDialogs.SetPicker([this] { return form2.Pick(); });
    qtDialogs.SetRecorder([this] { form3.exec(); });
}

std::string ExecutableFolder() {
    const QString folder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    return QFile::encodeName(folder).toStdString() + QDir::separator().toLatin1();
}

}  // namespace sonatrix::gui
