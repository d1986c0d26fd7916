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
      form1(model) {
    qtDialogs.SetOwner(&form1);
    native.soundModule.SetDialogs(dialogs ? dialogs : &qtDialogs);
    native.progress.SetOwner(&form1);
    qtDialogs.SetPicker([this] { return Form2().Pick(); });
    qtDialogs.SetRecorder([this] { Form3().exec(); });
}

TForm2& ProgramWindows::Form2() {
    if (!form2_)
        form2_ = new TForm2(model.svc, &form1);
    return *form2_;
}

TForm3& ProgramWindows::Form3() {
    if (!form3_)
        form3_ = new TForm3(recorder, &form1);
    return *form3_;
}

std::string ExecutableFolder() {
    const QString folder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    return QFile::encodeName(folder).toStdString() + QDir::separator().toLatin1();
}

}  // namespace sonatrix::gui
