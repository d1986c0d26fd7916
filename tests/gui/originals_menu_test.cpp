// SPDX-License-Identifier: GPL-3.0-or-later
// ListBox1's menu and Ctrl+Z, driven through the window: a right-click or
// the menu key opens the menu on a sound, its items restore and undo, and
// the list shows what is on disk afterwards.
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QListWidget>
#include <QMenu>
#include <QSettings>
#include <QtTest>
#include <memory>

#include "gui_test_support.h"
#include "model/target_list.h"
#include "platform/path_pieces.h"
#include "replace/single_replacement.h"
#include "standin_process.h"
#include "test_world.h"
#include "tform1.h"

using sonatrix::DlgResult;
using sonatrix::testing::ReadFile;
using sonatrix::testing::TestWorld;

namespace {

QString U(const char* text) {
    return QString::fromUtf8(text);
}

}  // namespace

class OriginalsMenuTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<TestWorld> world;
    std::unique_ptr<TForm1> form;
    QListWidget* list = nullptr;
    QMenu* menu = nullptr;

    QAction* Item(const char* text) {
        for (QAction* action : menu->actions())
            if (action->text() == U(text))
                return action;
        qFatal("no menu item %s", text);
    }
    QStringList Texts() const {
        QStringList texts;
        for (const auto& shown : world->dialogs.shown)
            texts << QString::fromStdString(shown.caption + ":" + shown.text);
        return texts;
    }
    // Replaces `target` with a library sound, as "换音" does.
    void Replace(const char* target = "msg.wav") {
        auto& state = world->model.state;
        state.SelectedLibrarySound = sonatrix::NativePath("自定义\\new.wav");
        state.SelectedTargetSound = target;
        world->dialogs.ThenResult(DlgResult::OK).ThenId(sonatrix::mb::kIdOK);
        sonatrix::M_replace89(world->model);
        world->dialogs.shown.clear();
    }
    void ClickItem(QAction* action) {
        QTRY_COMPARE(QApplication::activePopupWidget(), menu);
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
    }
    // A right-click as the platform delivers it, through the window, so
    // that the window turns it into a context menu request.
    void RightClick(const QPoint& inViewport) {
        QTest::mouseClick(form->windowHandle(), Qt::RightButton, {},
                          list->viewport()->mapTo(form.get(), inViewport));
    }
    int Row(const char* name) const {
        const auto items = list->findItems(U(name), Qt::MatchExactly);
        return items.isEmpty() ? -1 : list->row(items.first());
    }

  private slots:
    void init() {
        // Each test starts as a new user would.
        QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("sonatrix"),
                  QStringLiteral("sonatrix"))
            .clear();
        world = std::make_unique<TestWorld>();
        world->SetAppDir();
        world->Put("app/newsounds/自定义/new.wav", "new sound");
        for (const char* name : {"msg.wav", "ring.wav"})
            world->Put(std::string("client/sound/") + name, std::string("first:") + name);
        form = std::make_unique<TForm1>(world->model);
        // The first show finds no client and says so; then the test's
        // client becomes the target.
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        world->dialogs.shown.clear();
        world->model.state.TargetSoundDir = world->At("client/sound").string() + sonatrix::kSep;
        sonatrix::M_list_qqshund(world->model);
        list = form->findChild<QListWidget*>(QStringLiteral("ListBox1"));
        menu = form->findChild<QMenu*>(QStringLiteral("ListBox1Menu"));
        QVERIFY(list && menu);
    }
    void cleanup() {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        form.reset();
        world.reset();
    }

    void itemsAreNamedByTheirTexts() {
        QStringList texts;
        for (QAction* action : menu->actions())
            texts << action->text();
        QCOMPARE(texts, (QStringList{U("恢复原始声音"), U("全部恢复原始声音"), U("撤销上次更改"),
                                     U("重做"), QString(), U("音量与原声音一致")}));
        QVERIFY(menu->actions()[4]->isSeparator());
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(menu);
        QVERIFY(accessible);
        QCOMPARE(accessible->childCount(), 6);
        for (int i = 0; i < 6; ++i)
            QCOMPARE(accessible->child(i)->text(QAccessible::Name), texts[i]);
        QCOMPARE(Item("撤销上次更改")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(Item("重做")->shortcuts(),
                 (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Y),
                                      QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}));
    }

    // Unchecked at first; once checked, it holds for every replacement and
    // after the next start.
    void matchLoudnessIsRememberedForTheNextStart() {
        QAction* match = Item("音量与原声音一致");
        QVERIFY(match->isCheckable());
        QVERIFY(!match->isChecked());
        QVERIFY(!world->model.state.MatchLoudness);
        RightClick(list->visualItemRect(list->item(0)).center());
        ClickItem(match);
        QTRY_VERIFY(world->model.state.MatchLoudness);

        form.reset();
        world->model.state.MatchLoudness = false;
        form = std::make_unique<TForm1>(world->model);
        menu = form->findChild<QMenu*>(QStringLiteral("ListBox1Menu"));
        QVERIFY(Item("音量与原声音一致")->isChecked());
        QVERIFY(world->model.state.MatchLoudness);
    }

    void rightClickRestoresTheSoundClickedOn() {
        Replace();
        QCOMPARE(ReadFile(world->At("client/sound/msg.wav")), std::string("new sound"));
        const QRect place = list->visualItemRect(list->item(Row("msg.wav")));
        RightClick(place.center());
        QVERIFY(Item("恢复原始声音")->isEnabled());
        world->dialogs.ThenResult(DlgResult::OK);
        ClickItem(Item("恢复原始声音"));
        QTRY_COMPARE(world->dialogs.shown.size(), std::size_t{2});
        QCOMPARE(Texts(), (QStringList{U("Confirm:将恢复以下声音的原始文件：\nmsg.wav"),
                                       U("Information:已恢复原始声音。")}));
        QCOMPARE(ReadFile(world->At("client/sound/msg.wav")), std::string("first:msg.wav"));
    }

    void rightClickBesideTheItemsOffersNoSingleRestore() {
        RightClick(QPoint(5, list->viewport()->height() - 5));
        QTRY_COMPARE(QApplication::activePopupWidget(), menu);
        QVERIFY(!Item("恢复原始声音")->isEnabled());
        QVERIFY(Item("全部恢复原始声音")->isEnabled());
    }

    void menuKeyOpensTheMenuOnTheCurrentSound() {
        world->Put("client/sound/call.wav", "first:call.wav");
        sonatrix::M_list_qqshund(world->model);
        Replace();  // msg.wav changed: call.wav has nothing kept
        list->setFocus();
        list->setCurrentRow(Row("call.wav"));
        // The platform turns the menu key into a context menu request for
        // the focused control (the offscreen platform has no keyboard to).
        QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(2, 2),
                                  list->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(list, &request);
        world->dialogs.shown.clear();
        ClickItem(Item("恢复原始声音"));
        QTRY_COMPARE(Texts(), QStringList{U("Information:没有保存过这里的原始声音。")});
    }

    void restoreAllRefillsTheListAndCtrlZTakesItBack() {
        // A sound the program created: restoring its original removes it.
        Replace("new.wav");
        sonatrix::M_list_qqshund(world->model);
        QVERIFY(Row("new.wav") >= 0);

        RightClick(list->visualItemRect(list->item(0)).center());
        world->dialogs.ThenResult(DlgResult::OK);
        ClickItem(Item("全部恢复原始声音"));
        QTRY_COMPARE(Row("new.wav"), -1);
        QCOMPARE(list->count(), 2);

        world->dialogs.ThenResult(DlgResult::OK);
        QTest::keyClick(form->windowHandle(), Qt::Key_Z, Qt::ControlModifier);
        QTRY_VERIFY(Row("new.wav") >= 0);
        QCOMPARE(Texts().last(), U("Information:已撤销：全部恢复原始声音"));
        QCOMPARE(ReadFile(world->At("client/sound/new.wav")), std::string("new sound"));
    }

    // Either key takes the undo back, and the list shows the disk again.
    void redoKeysTakeTheUndoBack_data() {
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<int>("key");
        QTest::newRow("Ctrl+Y") << Qt::KeyboardModifiers(Qt::ControlModifier) << int(Qt::Key_Y);
        QTest::newRow("Ctrl+Shift+Z")
            << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::ShiftModifier) << int(Qt::Key_Z);
    }
    void redoKeysTakeTheUndoBack() {
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(int, key);
        Replace("new.wav");
        sonatrix::M_list_qqshund(world->model);
        world->dialogs.ThenResult(DlgResult::OK);
        QTest::keyClick(form->windowHandle(), Qt::Key_Z, Qt::ControlModifier);
        QTRY_COMPARE(Row("new.wav"), -1);
        world->dialogs.shown.clear();

        world->dialogs.ThenResult(DlgResult::OK);
        QTest::keyClick(form->windowHandle(), static_cast<Qt::Key>(key), modifiers);
        QTRY_VERIFY(Row("new.wav") >= 0);
        QCOMPARE(Texts(), (QStringList{U("Confirm:将重做“换音”对以下声音的更改：\nnew.wav"),
                                       U("Information:已重做：换音")}));
        QCOMPARE(ReadFile(world->At("client/sound/new.wav")), std::string("new sound"));
    }

    void ctrlZWithNothingToUndoSaysSo() {
        QTest::keyClick(form->windowHandle(), Qt::Key_Z, Qt::ControlModifier);
        QTRY_COMPARE(Texts(), QStringList{U("Information:没有可以撤销的更改。")});
    }
};

QTEST_MAIN(OriginalsMenuTest)
#include "originals_menu_test.moc"
