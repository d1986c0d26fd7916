// SPDX-License-Identifier: GPL-3.0-or-later
// The program picker window over the real files and the real process walk.
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <memory>

#include "gui_test_support.h"
#include "model/dialogs.h"
#include "standin_process.h"
#include "test_world.h"
#include "tform2.h"

using sonatrix::testing::DialogForm;
using sonatrix::testing::SelfPid;
using sonatrix::testing::StandInProcess;
using sonatrix::testing::TestWorld;

namespace {
const char kSeparator = static_cast<char>(std::filesystem::path::preferred_separator);
}  // namespace

class PickerWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        world = std::make_unique<TestWorld>();
        form = std::make_unique<TForm2>(world->model.svc);
    }
    void cleanup() {
        form.reset();
        processes.clear();
        world.reset();
    }

    void controlsMatchTheFormTable_data();
    void controlsMatchTheFormTable();
    void formAsDesigned();
    void listShowsEveryRunningProgram();
    void okWithWavFilesClosesWithThePick();
    void okWithoutWavFilesWarnsAndStaysOpen();
    void cancelAndCloseBoxForgetAnEarlierPick();
    void pickShowsModallyAndReturnsTheChoice();
    void clickedLineIsTheChoiceAgainAfterBrowsing();
    void doubleClickConfirmsTheLineNotTheBrowsedProgram();
    void lineDeselectedByCtrlClickIsNoChoice();

  private:
    std::string Start(const std::string& relative) {
        processes.push_back(std::make_unique<StandInProcess>(world->At(relative)));
        world->ownProcesses.Allow(processes.back()->Pid());
        return world->At(relative).string();
    }
    QListWidget* List() { return form->findChild<QListWidget*>("ListBox1"); }
    QLabel* Choice() { return form->findChild<QLabel*>("Label1"); }
    QPushButton* Button(const char* name) { return form->findChild<QPushButton*>(name); }
    void ClickRow(int row, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, modifiers,
                          List()->visualItemRect(List()->item(row)).center());
    }
    int RowOf(const std::string& path) {
        const auto items = List()->findItems(QString::fromStdString(path), Qt::MatchExactly);
        return items.isEmpty() ? -1 : List()->row(items.first());
    }

    std::unique_ptr<TestWorld> world;
    std::unique_ptr<TForm2> form;
    std::vector<std::unique_ptr<StandInProcess>> processes;
};

void PickerWindowTest::controlsMatchTheFormTable_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<QString>("caption");
    QTest::newRow("ListBox1") << "ListBox1" << QRect(8, 8, 489, 257) << "";
    QTest::newRow("Label1") << "Label1" << QRect(8, 288, 577, 17) << "";
    QTest::newRow("Label2") << "Label2" << QRect(8, 320, 585, 33)
                            << "注意：如果您要更改的是除qq和msn以外的声音，那么最好选择“浏览文件夹…"
                               "…”按钮，手工指定包含有声音文件的文件夹。";
    QTest::newRow("Button4") << "Button4" << QRect(504, 160, 105, 25) << "刷新";
    QTest::newRow("Button1") << "Button1" << QRect(504, 200, 105, 25) << "浏览程序……";
    QTest::newRow("Button5") << "Button5" << QRect(504, 240, 105, 25) << "浏览文件夹……";
    QTest::newRow("Button2") << "Button2" << QRect(64, 376, 75, 25) << "确定";
    QTest::newRow("Button3") << "Button3" << QRect(224, 376, 75, 25) << "取消";
}

void PickerWindowTest::controlsMatchTheFormTable() {
    QFETCH(QString, name);
    QFETCH(QRect, place);
    QFETCH(QString, caption);
    auto* control = form->findChild<QWidget*>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), place);
    if (auto* button = qobject_cast<QPushButton*>(control)) {
        QCOMPARE(button->text(), caption);
        QCOMPARE(button->accessibleName(), caption);
        QCOMPARE(button->font().pixelSize(), 13);
    }
    if (auto* label = qobject_cast<QLabel*>(control)) {
        QCOMPARE(label->text(), caption);
        QCOMPARE(label->font().pixelSize(), 16);
    }
    if (qobject_cast<QListWidget*>(control))
        QVERIFY(!control->accessibleName().isEmpty());
}

void PickerWindowTest::formAsDesigned() {
    QCOMPARE(form->windowTitle(), QString("显示用户进程"));
    QCOMPARE(form->size(), QSize(627, 467));
    QCOMPARE(form->pos(), QPoint(192, 107));
    QCOMPARE(form->font().families().value(0), QString("宋体"));
    QCOMPARE(form->font().pixelSize(), 13);
    auto* note = form->findChild<QLabel*>("Label2");
    QVERIFY(note->wordWrap());
    QCOMPARE(note->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QVERIFY(!note->accessibleName().isEmpty());
}

void PickerWindowTest::listShowsEveryRunningProgram() {
    const std::string program = Start("My Apps/Bin/Prog Name.exe");
    Start("My Apps/Bin/Prog Name.exe");
    form->show();
    QCOMPARE(List()->findItems(QString::fromStdString(program), Qt::MatchExactly).size(), 2);
    QCOMPARE(Choice()->text(), QString());
    QVERIFY(!Choice()->accessibleName().isEmpty());

    List()->setCurrentRow(RowOf(program));
    QCOMPARE(Choice()->text(), QString::fromStdString(program));
    QCOMPARE(Choice()->accessibleName(), Choice()->text());

    // "刷新" lists anew and forgets the choice.
    const std::string later = Start("Later/later.exe");
    QTest::mouseClick(Button("Button4"), Qt::LeftButton);
    QVERIFY(RowOf(later) >= 0);
    QCOMPARE(Choice()->text(), QString());
}

void PickerWindowTest::okWithWavFilesClosesWithThePick() {
    const std::string program = Start("Game/game.exe");
    world->Put("Game/sounds/hit.wav");
    form->show();
    List()->setCurrentRow(RowOf(program));
    QTest::mouseClick(Button("Button2"), Qt::LeftButton);

    QVERIFY(!form->isVisible());
    QCOMPARE(form->result(), int(QDialog::Accepted));
    const std::string expected = world->At("Game/sounds/").string();
    QCOMPARE(form->PickedPath(), expected);
    QCOMPARE(Choice()->text(), QString::fromStdString(expected));
}

void PickerWindowTest::okWithoutWavFilesWarnsAndStaysOpen() {
    const std::string program = Start("Quiet/quiet.exe");
    form->show();
    List()->setCurrentRow(RowOf(program));
    QTest::mouseClick(Button("Button2"), Qt::LeftButton);

    QVERIFY(form->isVisible());
    QCOMPARE(world->dialogs.shown.size(), size_t(1));
    QCOMPARE(world->dialogs.shown[0].caption, std::string("Warning"));
    QCOMPARE(world->dialogs.shown[0].text,
             std::string("您选择的程序目录或文件夹内不包含任何的wav文件，请另外选择一个。"));
    QCOMPARE(Choice()->text(), QString::fromStdString(program));
    QCOMPARE(form->PickedPath(), std::string());
}

void PickerWindowTest::cancelAndCloseBoxForgetAnEarlierPick() {
    world->Put("Folder/a.wav");
    const std::string folder = world->At("Folder").string();
    for (const char* how : {"Button3", "close box"}) {
        world->dialogs.ThenText(folder);
        form->show();
        QTest::mouseClick(Button("Button5"), Qt::LeftButton);
        QTest::mouseClick(Button("Button2"), Qt::LeftButton);
        QCOMPARE(form->PickedPath(), folder + kSeparator);

        form->show();
        if (std::string(how) == "Button3")
            QTest::mouseClick(Button("Button3"), Qt::LeftButton);
        else
            form->close();
        QVERIFY(!form->isVisible());
        QCOMPARE(form->result(), int(QDialog::Rejected));
        QCOMPARE(form->PickedPath(), std::string());
    }
}

void PickerWindowTest::pickShowsModallyAndReturnsTheChoice() {
    const std::string program = Start("Tool/tool.exe");
    world->Put("Tool/beep.wav");
    QTimer::singleShot(0, form.get(), [&] {
        const int row = RowOf(program);
        const QPoint at = List()->visualItemRect(List()->item(row)).center();
        // The click that precedes a double-click makes the line the choice.
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, at);
        if (form->isVisible())
            form->reject();  // a dialog left open must not hang the test
    });
    QCOMPARE(form->Pick(), program);
    QVERIFY(!form->isVisible());
}

// The user clicks line A, browses to B.exe, then clicks A again.
void PickerWindowTest::clickedLineIsTheChoiceAgainAfterBrowsing() {
    const std::string lineA = Start("A/a.exe");
    const std::string browsed = world->Put("B/b.exe").string();
    form->show();
    ClickRow(RowOf(lineA));
    QCOMPARE(Choice()->text(), QString::fromStdString(lineA));
    world->dialogs.ThenText(browsed);
    QTest::mouseClick(Button("Button1"), Qt::LeftButton);
    QCOMPARE(Choice()->text(), QString::fromStdString(browsed));

    ClickRow(RowOf(lineA));
    QCOMPARE(Choice()->text(), QString::fromStdString(lineA));
    QCOMPARE(Choice()->accessibleName(), Choice()->text());
}

void PickerWindowTest::doubleClickConfirmsTheLineNotTheBrowsedProgram() {
    const std::string lineA = Start("A/a.exe");
    world->Put("A/a.wav");
    const std::string browsed = world->Put("B/b.exe").string();
    world->Put("B/b.wav");  // the browsed program would pass the checks too
    form->show();
    ClickRow(RowOf(lineA));
    world->dialogs.ThenText(browsed);
    QTest::mouseClick(Button("Button1"), Qt::LeftButton);

    QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {},
                       List()->visualItemRect(List()->item(RowOf(lineA))).center());
    QVERIFY(!form->isVisible());
    QCOMPARE(form->result(), int(QDialog::Accepted));
    QCOMPARE(form->PickedPath(), lineA);
}

// Ctrl+click takes the selection away: no line is chosen by it.
void PickerWindowTest::lineDeselectedByCtrlClickIsNoChoice() {
    const std::string lineA = Start("A/a.exe");
    const std::string browsed = world->Put("B/b.exe").string();
    form->show();
    ClickRow(RowOf(lineA));
    world->dialogs.ThenText(browsed);
    QTest::mouseClick(Button("Button1"), Qt::LeftButton);
    ClickRow(RowOf(lineA), Qt::ControlModifier);
    QVERIFY(List()->selectedItems().isEmpty());
    QCOMPARE(Choice()->text(), QString::fromStdString(browsed));
}

QTEST_MAIN(PickerWindowTest)
#include "picker_window_test.moc"
