// SPDX-License-Identifier: GPL-3.0-or-later
// sonatrix_screenshots APPDIR OUTDIR: shows the main window over the real
// services with APPDIR as the program folder (the first show runs), then
// writes main_window.png, picker.png and recorder.png into OUTDIR.
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <cstdio>

#include "application_setup.h"
#include "program_windows.h"

namespace {

// Nobody is there to answer: each message is logged and answered as if it
// was closed.
class UnattendedDialogs : public sonatrix::gui::QtDialogs {
  public:
    sonatrix::DlgResult MessageDlg(const std::string& text, sonatrix::DlgType, unsigned) override {
        Log(text);
        return sonatrix::DlgResult::Cancel;
    }
    void ShowMessage(const std::string& text) override { Log(text); }
    int MessageBox(const std::string& text, const std::string&, unsigned) override {
        Log(text);
        return sonatrix::mb::kIdOK;
    }
    void ShowAppError(const std::string& text) override { Log(text); }

  private:
    static void Log(const std::string& text) { std::fprintf(stderr, "dialog: %s\n", text.c_str()); }
};

void Wait(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

bool Save(QWidget& window, const QDir& folder, const char* name) {
    const QString path = folder.filePath(QString::fromLatin1(name));
    const bool saved = window.grab().save(path);
    std::fprintf(saved ? stdout : stderr, "%s %s\n", saved ? "wrote" : "could not write",
                 qPrintable(path));
    return saved;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: sonatrix_screenshots APPDIR OUTDIR\n");
        return 2;
    }
    sonatrix::gui::SetUpApplication(app);

    std::string appDir =
        QFile::encodeName(
            QDir::toNativeSeparators(QDir(QString::fromLocal8Bit(argv[1])).absolutePath()))
            .toStdString();
    appDir += QDir::separator().toLatin1();
    const QDir out(QString::fromLocal8Bit(argv[2]));
    if (!QDir().mkpath(out.absolutePath())) {
        std::fprintf(stderr, "cannot create %s\n", argv[2]);
        return 1;
    }

    UnattendedDialogs dialogs;
    sonatrix::gui::ProgramWindows windows(appDir, &dialogs);
    windows.form1.show();
    Wait(1500);  // the first show, the news page and the first paint

    bool ok = Save(windows.form1, out, "main_window.png");
    // The dialogs fill themselves when shown (the picker lists the processes).
    for (auto [dialog, name] : {std::pair<QWidget*, const char*>{&windows.Form2(), "picker.png"},
                                {&windows.Form3(), "recorder.png"}}) {
        dialog->show();
        Wait(300);
        ok = Save(*dialog, out, name) && ok;
        dialog->hide();
    }
    return ok ? 0 : 1;
}
