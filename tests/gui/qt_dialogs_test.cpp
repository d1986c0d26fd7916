// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt dialog layer: captions, icons, button texts and what closing a
// dialog answers, driven by acting on the open modal dialog.
#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <functional>

#include "qt_dialogs.h"

using sonatrix::DlgResult;
using sonatrix::DlgType;
namespace mb = sonatrix::mb;

namespace {

struct Seen {
    QString caption;
    QString text;
    QStringList buttons;  // visible ones, in any order
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Once the next modal dialog is open, records it and runs `act` on it.
void WhenOpen(Seen& seen, std::function<void(QWidget*)> act) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, &seen, act] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        poll->stop();
        poll->deleteLater();
        seen.caption = dialog->windowTitle();
        if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
            seen.text = box->text();
            seen.icon = box->icon();
        }
        for (auto* button : dialog->findChildren<QAbstractButton*>())
            if (button->isVisibleTo(dialog))
                seen.buttons << button->text();
        seen.buttons.sort();
        act(dialog);
    });
    poll->start(10);
}

std::function<void(QWidget*)> Press(const QString& text) {
    return [text](QWidget* dialog) {
        for (auto* button : dialog->findChildren<QAbstractButton*>())
            if (button->text() == text && button->isVisibleTo(dialog))
                return button->click();
        qWarning("no button %s", qPrintable(text));
    };
}

void Close(QWidget* dialog) {
    dialog->close();
}

QStringList Sorted(QStringList list) {
    list.sort();
    return list;
}

}  // namespace

class QtDialogsTest : public QObject {
    Q_OBJECT

  private slots:
    void messageDlg_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<uint>("buttons");
        QTest::addColumn<QString>("press");  // empty: close the dialog
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("result");
        const uint yesNo = sonatrix::kDlgYes | sonatrix::kDlgNo;
        const uint okCancel = sonatrix::kDlgOK | sonatrix::kDlgCancel;
        QTest::newRow("confirm no") << int(DlgType::Confirm) << yesNo << "&No"
                                    << "Confirm" << int(QMessageBox::Question)
                                    << QStringList{"&Yes", "&No"} << int(DlgResult::No);
        QTest::newRow("confirm closed is Cancel")
            << int(DlgType::Confirm) << yesNo << ""
            << "Confirm" << int(QMessageBox::Question) << QStringList{"&Yes", "&No"}
            << int(DlgResult::Cancel);
        QTest::newRow("warning ok") << int(DlgType::Warning) << okCancel << "OK"
                                    << "Warning" << int(QMessageBox::Warning)
                                    << QStringList{"OK", "Cancel"} << int(DlgResult::OK);
        QTest::newRow("error closed")
            << int(DlgType::Error) << uint(sonatrix::kDlgOK) << ""
            << "Error" << int(QMessageBox::Critical) << QStringList{"OK"} << int(DlgResult::Cancel);
        QTest::newRow("information") << int(DlgType::Information) << uint(sonatrix::kDlgOK) << "OK"
                                     << "Information" << int(QMessageBox::Information)
                                     << QStringList{"OK"} << int(DlgResult::OK);
    }
    void messageDlg() {
        QFETCH(int, type);
        QFETCH(uint, buttons);
        QFETCH(QString, press);
        QFETCH(QString, caption);
        QFETCH(int, icon);
        QFETCH(QStringList, texts);
        QFETCH(int, result);
        sonatrix::gui::QtDialogs dialogs;
        Seen seen;
        WhenOpen(seen, press.isEmpty() ? std::function<void(QWidget*)>(Close) : Press(press));
        const DlgResult answer = dialogs.MessageDlg("文件已存在", DlgType(type), buttons);
        QCOMPARE(int(answer), result);
        QCOMPARE(seen.caption, caption);
        QCOMPARE(int(seen.icon), icon);
        QCOMPARE(seen.buttons, Sorted(texts));
        QCOMPARE(seen.text, QString::fromUtf8("文件已存在"));
    }

    void messageBox_data() {
        QTest::addColumn<uint>("flags");
        QTest::addColumn<QString>("press");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("id");
        QTest::newRow("yes") << (mb::kYesNo | mb::kIconQuestion) << "&Yes"
                             << int(QMessageBox::Question) << QStringList{"&Yes", "&No"}
                             << mb::kIdYes;
        QTest::newRow("yes/no closed is No")
            << (mb::kYesNo | mb::kIconWarning) << "" << int(QMessageBox::Warning)
            << QStringList{"&Yes", "&No"} << mb::kIdNo;
        QTest::newRow("ok/cancel closed is Cancel")
            << (mb::kOKCancel | mb::kIconInformation) << "" << int(QMessageBox::Information)
            << QStringList{"OK", "Cancel"} << mb::kIdCancel;
        QTest::newRow("ok") << (mb::kOK | mb::kIconError) << "OK" << int(QMessageBox::Critical)
                            << QStringList{"OK"} << mb::kIdOK;
    }
    void messageBox() {
        QFETCH(uint, flags);
        QFETCH(QString, press);
        QFETCH(int, icon);
        QFETCH(QStringList, texts);
        QFETCH(int, id);
        sonatrix::gui::QtDialogs dialogs;
        Seen seen;
        WhenOpen(seen, press.isEmpty() ? std::function<void(QWidget*)>(Close) : Press(press));
        QCOMPARE(dialogs.MessageBox("重新设置声音路径？", "提示", flags), id);
        QCOMPARE(seen.caption, QString::fromUtf8("提示"));
        QCOMPARE(int(seen.icon), icon);
        QCOMPARE(seen.buttons, Sorted(texts));
    }

    void plainMessageAndErrorBox() {
        sonatrix::gui::QtDialogs dialogs;
        Seen plain;
        WhenOpen(plain, Press("OK"));
        dialogs.ShowMessage("声音添加完成。");
        QCOMPARE(plain.caption, QStringLiteral("Sonatrix2009"));
        QCOMPARE(plain.icon, QMessageBox::NoIcon);
        QCOMPARE(plain.buttons, QStringList{"OK"});

        Seen error;
        WhenOpen(error, Close);
        dialogs.ShowAppError("Cannot open file.");
        QCOMPARE(error.caption, QStringLiteral("Sonatrix2009"));
        QCOMPARE(error.icon, QMessageBox::Critical);
        QCOMPARE(error.buttons, QStringList{"OK"});
        QCOMPARE(error.text, QStringLiteral("Cannot open file."));
    }

    void inputQuery() {
        sonatrix::gui::QtDialogs dialogs;
        Seen seen;
        int maxLength = 0;
        bool startedEmpty = false;
        WhenOpen(seen, [&](QWidget* dialog) {
            auto* edit = dialog->findChild<QLineEdit*>();
            maxLength = edit->maxLength();
            startedEmpty = edit->text().isEmpty();
            QTest::keyClicks(edit, "123456789012345");
            Press("OK")(dialog);
        });
        const std::string typed = dialogs.InputQuery("QQ号码", "请输入您的QQ号码：", 12);
        QCOMPARE(seen.caption, QString::fromUtf8("QQ号码"));
        QCOMPARE(seen.buttons, Sorted({"OK", "Cancel"}));
        QCOMPARE(maxLength, 12);
        QVERIFY(startedEmpty);
        QCOMPARE(typed, std::string("123456789012"));

        Seen cancelled;
        WhenOpen(cancelled, [](QWidget* dialog) {
            QTest::keyClicks(dialog->findChild<QLineEdit*>(), "42");
            Press("Cancel")(dialog);
        });
        QCOMPARE(dialogs.InputQuery("QQ号码", "请输入您的QQ号码：", 12), std::string());
    }

    void pickerAndRecorderGoToTheirWindows() {
        sonatrix::gui::QtDialogs dialogs;
        QCOMPARE(dialogs.ShowPicker(), std::string());  // no picker window yet
        int recorderShown = 0;
        dialogs.SetPicker([] { return std::string("/opt/app/Bin/app.exe"); });
        dialogs.SetRecorder([&] { ++recorderShown; });
        QCOMPARE(dialogs.ShowPicker(), std::string("/opt/app/Bin/app.exe"));
        dialogs.ShowRecorder();
        QCOMPARE(recorderShown, 1);
    }

    // The browsers open over the window that asked for them (the picker's
    // over the picker), in the user's home folder, the file filter shown by
    // its name alone.
    void browsersOpenOverTheAskingWindowAtHome_data() {
        QTest::addColumn<bool>("file");
        QTest::addColumn<bool>("fromPicker");
        QTest::newRow("file browser, from the picker") << true << true;
        QTest::newRow("folder browser, from the picker") << false << true;
        QTest::newRow("file browser, from the main window") << true << false;
        QTest::newRow("folder browser, from the main window") << false << false;
    }
    void browsersOpenOverTheAskingWindowAtHome() {
        QFETCH(bool, file);
        QFETCH(bool, fromPicker);
        QWidget mainWindow;
        mainWindow.show();
        sonatrix::gui::QtDialogs dialogs;
        dialogs.SetOwner(&mainWindow);
        QDialog picker(&mainWindow);

        QWidget* parent = nullptr;
        QString start;
        QString filterShown;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            auto* browser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!browser)
                return;
            poll.stop();
            parent = browser->parentWidget();
            start = browser->directory().absolutePath();
            if (auto* filters = browser->findChild<QComboBox*>("fileTypeCombo"))
                filterShown = filters->currentText();
            browser->reject();
        });
        poll.start(10);
        auto browse = [&] {
            if (file)
                QCOMPARE(dialogs.OpenFile("exe文件", "*.exe"), std::nullopt);
            else
                QCOMPARE(dialogs.BrowseForFolder("选择一个包含有WAV格式声音文件的目录"),
                         std::nullopt);
        };
        if (fromPicker) {
            QTimer::singleShot(0, &picker, [&] {
                browse();
                picker.reject();
            });
            picker.exec();
        } else {
            browse();
        }
        QCOMPARE(parent, fromPicker ? &picker : &mainWindow);
        QCOMPARE(start, QDir::homePath());
        if (file)
            QCOMPARE(filterShown, QString::fromUtf8("exe文件"));
    }

    void busyCursorIsBalanced() {
        sonatrix::gui::QtDialogs dialogs;
        dialogs.SetBusyCursor(true);
        dialogs.SetBusyCursor(true);
        QVERIFY(QApplication::overrideCursor());
        dialogs.SetBusyCursor(false);
        QVERIFY(!QApplication::overrideCursor());
    }
};

QTEST_MAIN(QtDialogsTest)
#include "qt_dialogs_test.moc"
