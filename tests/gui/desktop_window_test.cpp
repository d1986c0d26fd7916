// The fifth kind of target through the window: "更改系统声音" chosen in
// ComboBox1 lists the desktop's events with their descriptions, a theme
// writes its sounds to them without the QQ-only warning, and one Ctrl+Z
// takes it back, the sounds and the desktop's settings together.
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QToolButton>
#include <QtTest>
#include <filesystem>
#include <memory>

#include "catalogue/desktop_events.h"
#include "desktop_home.h"
#include "gui_test_support.h"
#include "platform/desktop_settings.h"
#include "standin_process.h"
#include "test_world.h"
#include "tform1.h"

using sonatrix::DlgResult;
using sonatrix::testing::TempDir;
using sonatrix::testing::TestWorld;

namespace {

// Before QApplication and GLib see the environment.
const TempDir kHome;
const bool kOwnHome = (sonatrix::testing::UseOwnDesktopHome(kHome.Path()), true);

QString U(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

class DesktopWindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<TestWorld> world;
    std::unique_ptr<TForm1> form;

    template <typename T = QWidget>
    T* Control(const char* name) const {
        return form->findChild<T*>(QString::fromLatin1(name));
    }
    std::string Folder() const { return world->model.state.TargetSoundDir; }
    std::string EventFile(const char* qqSound) const {
        return sonatrix::DesktopEventOfQQSound(qqSound) +
               std::string(sonatrix::kDesktopSoundExtension);
    }
    bool Written(const std::string& name) const {
        return std::filesystem::exists(sonatrix::testing::PathFromNarrow(Folder() + name));
    }

  private slots:
    void init() {
        world = std::make_unique<TestWorld>();
        std::filesystem::remove_all(
            sonatrix::testing::PathFromNarrow(sonatrix::DesktopSoundFolder(world->dataDir)));
        for (const char* file : {"动物/昆虫/蟋蟀2.wav", "动物/家畜/DOG8.WAV", "日常生活/开门2.wav",
                                 "日常生活/Reminder.wav", "电话/PHONE13.WAV", "电话/PHONE7.WAV"})
            world->Put(std::string("app/newsounds/") + file, sonatrix::testing::ToneWav(0.1, 440));
        form = std::make_unique<TForm1>(world->model);
        world->ownProcesses.OnlyOwn(sonatrix::testing::SelfPid());
        form->show();  // finds no client and says so
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        world->dialogs.shown.clear();
        auto* combo = Control<QComboBox>("ComboBox1");
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_End);
    }
    void cleanup() {
        form.reset();
        world.reset();
    }

    void theFifthItemListsTheDesktopsEvents() {
        QCOMPARE(Control<QComboBox>("ComboBox1")->currentText(), QString::fromUtf8("更改系统声音"));
        QCOMPARE(Control<QLabel>("Label1")->text(), U(Folder()));
        QVERIFY(Folder() == sonatrix::DesktopSoundFolder(world->dataDir));
        QVERIFY(Control<QToolButton>("SpeedButton3")->isEnabled());
        auto* list = Control<QListWidget>("ListBox1");
        const auto events = sonatrix::DesktopEvents();
        QCOMPARE(list->count(), int(events.size()));
        for (int row = 0; row < list->count(); ++row)
            QCOMPARE(list->item(row)->text(), U(events[row].name + std::string(".wav")));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(2)).center());
        QCOMPARE(Control<QLabel>("Label3")->text(), QString::fromUtf8(events[2].description));
        QVERIFY(world->dialogs.shown.empty());
    }

    void aThemeGoesToTheEventsAndUndoTakesItBack() {
        QTest::mouseClick(Control<QToolButton>("SpeedButton5"), Qt::LeftButton);
        QCOMPARE(world->dialogs.shown.size(), std::size_t(1));
        QCOMPARE(U(world->dialogs.shown[0].text), QString::fromUtf8("山村静夜－完成。"));
        QVERIFY(Written(EventFile("msg.wav")));
        QVERIFY(Written(EventFile("call.wav")));

        world->dialogs.ThenResult(DlgResult::OK);
        QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!Written(EventFile("msg.wav")));
        QVERIFY(!Written(EventFile("call.wav")));
    }
};

QTEST_MAIN(DesktopWindowTest)
#include "desktop_window_test.moc"
