// SPDX-License-Identifier: GPL-3.0-or-later
// The titles the X server gets, read back by xprop: every window's and
// every dialog's title bar reads exactly its caption, while the program
// keeps its name as the window class the task bar groups by.
#include <QApplication>
#include <QDialog>
#include <QProcess>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "application_setup.h"
#include "gui_test_support.h"
#include "library/recorder_logic.h"
#include "qt_audio_capture.h"
#include "qt_dialogs.h"
#include "qt_local_time_text.h"
#include "standin_process.h"
#include "test_world.h"
#include "tform1.h"
#include "tform2.h"
#include "tform3.h"

using sonatrix::DlgType;
using sonatrix::gui::QtDialogs;
using sonatrix::testing::TestWorld;

namespace {

// One property of a window as xprop prints it ("显示用户进程", or
// "a", "b" for a list of strings); empty when it is not set.
QString XProperty(const QWidget* window, const char* property) {
    QProcess xprop;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LC_ALL", "C.UTF-8");  // print the text, not escapes
    xprop.setProcessEnvironment(environment);
    xprop.start("xprop", {"-id", QString::number(window->winId()), "-notype", property});
    if (!xprop.waitForFinished(20000) || xprop.exitCode() != 0)
        return "xprop failed: " + QString::fromLocal8Bit(xprop.readAllStandardError());
    const QString line = QString::fromUtf8(xprop.readAllStandardOutput()).trimmed();
    const QString prefix = QString::fromLatin1(property) + " = ";
    if (!line.startsWith(prefix))
        return {};
    QString value = line.mid(prefix.size());
    if (value.startsWith('"') && value.endsWith('"') && value.count('"') == 2)
        value = value.mid(1, value.size() - 2);
    return value;
}

struct Titles {
    QString qt;
    QString netWmName;
    QString wmName;
};

Titles TitlesOf(QWidget* window) {
    if (!QTest::qWaitForWindowExposed(window))
        return {"not exposed", {}, {}};
    return {window->windowTitle(), XProperty(window, "_NET_WM_NAME"), XProperty(window, "WM_NAME")};
}

using OpenDialog = std::function<void(QtDialogs&)>;

}  // namespace

Q_DECLARE_METATYPE(OpenDialog)

class TitleBarsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { sonatrix::gui::SetUpApplication(*qApp); }

    void programWindows_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("caption");
        QTest::newRow("main window") << "TForm1"
                                     << "Sonatrix2009";
        QTest::newRow("picker") << "TForm2"
                                << "显示用户进程";
        QTest::newRow("recorder") << "TForm3"
                                  << "录音";
    }
    void programWindows() {
        QFETCH(QString, window);
        QFETCH(QString, caption);
        TestWorld world;
        QtAudioCapture capture;
        QtLocalTimeText clock;
        sonatrix::RecorderLogic recorder(world.model, capture, clock);
        std::unique_ptr<QWidget> shown;
        if (window == "TForm1")
            shown = std::make_unique<TForm1>(world.model);
        else if (window == "TForm2")
            shown = std::make_unique<TForm2>(world.model.svc);
        else
            shown = std::make_unique<TForm3>(recorder);
        shown->show();
        const Titles titles = TitlesOf(shown.get());
        QCOMPARE(titles.qt, caption);
        QCOMPARE(titles.netWmName, caption);
        QCOMPARE(titles.wmName, caption);
    }

    void dialogForms_data() {
        QTest::addColumn<OpenDialog>("open");
        QTest::addColumn<QString>("caption");  // empty: the dialog's own title
        auto row = [](const char* name, OpenDialog open, const char* caption) {
            QTest::newRow(name) << open << QString::fromUtf8(caption);
        };
        row(
            "message dialog, Confirm",
            [](QtDialogs& d) { d.MessageDlg("确定？", DlgType::Confirm, sonatrix::kDlgYes); },
            "Confirm");
        row(
            "message dialog, Warning",
            [](QtDialogs& d) { d.MessageDlg("注意", DlgType::Warning, sonatrix::kDlgOK); },
            "Warning");
        row(
            "plain message", [](QtDialogs& d) { d.ShowMessage("声音添加完成。"); }, "Sonatrix2009");
        row(
            "platform message box",
            [](QtDialogs& d) {
                d.MessageBox("是否继续？", "询问",
                             sonatrix::mb::kYesNo | sonatrix::mb::kIconQuestion);
            },
            "询问");
        row(
            "text input", [](QtDialogs& d) { d.InputQuery("QQ号码", "请输入您的QQ号码：", 12); },
            "QQ号码");
        row(
            "error box", [](QtDialogs& d) { d.ShowAppError("Cannot open file."); }, "Sonatrix2009");
        row(
            "about", [](QtDialogs& d) { d.ShowAbout(); }, "About");
        row(
            "folder browser",
            [](QtDialogs& d) { d.BrowseForFolder("选择一个包含有WAV格式声音文件的目录"); },
            "选择一个包含有WAV格式声音文件的目录");
        row(
            "file browser", [](QtDialogs& d) { d.OpenFile("exe文件", "*.exe"); }, "");
    }
    void dialogForms() {
        QFETCH(OpenDialog, open);
        QFETCH(QString, caption);
        QWidget owner;
        owner.setWindowTitle("Sonatrix2009");
        owner.show();
        QtDialogs dialogs;
        dialogs.SetOwner(&owner);

        Titles titles;
        bool seen = false;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog || seen)
                return;
            seen = true;
            titles = TitlesOf(dialog);
            dialog->reject();
        });
        poll.start(20);
        open(dialogs);
        QVERIFY(seen);
        const QString expected = caption.isEmpty() ? titles.qt : caption;
        QVERIFY(!expected.isEmpty());
        QCOMPARE(titles.qt, expected);
        QCOMPARE(titles.netWmName, expected);
        QCOMPARE(titles.wmName, expected);
    }

    // The task bar and the window class still name the program.
    void programKeepsItsName() {
        QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("Sonatrix2009"));
        QWidget window;
        window.setWindowTitle("录音");
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QString windowClass = XProperty(&window, "WM_CLASS");
        QVERIFY2(windowClass.endsWith(", \"Sonatrix2009\""), qPrintable(windowClass));
    }
};

QTEST_MAIN(TitleBarsTest)
#include "title_bars_x11_test.moc"
