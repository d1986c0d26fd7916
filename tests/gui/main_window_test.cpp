// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's controls, places and wiring, driven through the widgets.
#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>
#include <filesystem>
#include <memory>

#include "gui_test_support.h"
#include "library/add_sounds.h"
#include "library/library_tree.h"
#include "model/main_model.h"
#include "pictures.h"
#include "standin_process.h"
#include "test_world.h"
#include "tform1.h"

using sonatrix::testing::DialogForm;
using sonatrix::testing::TestWorld;

namespace {

const QColor kRed(255, 0, 0);
const QColor kBlack(0, 0, 0);
const QColor kPurple(128, 0, 128);
const QString kLink = QStringLiteral("link");  // the palette's link colour

struct ControlRow {
    const char* name;
    const char* className;
    QRect place;
    QString caption;
    QString hint;
    int fontPixels;
    bool bold;
    bool topRight;
    bool visible = true;
    QString colour = {};  // "" not checked, "link", or a colour name
};

QString U(const char* text) {
    return QString::fromUtf8(text);
}

// The designed window, control by control.
const std::vector<ControlRow>& Designed() {
    // clang-format off
    static const std::vector<ControlRow> rows = {
        {"SpeedButton3", "QToolButton", {18, 48, 130, 33}, U("换音"), U("替换选中的声音"), 13, true, true, true, kRed.name()},
        {"Button3", "QPushButton", {18, 80, 130, 25}, U("随机换音"), U("将把QQ目录内的声音选一个随机的声音来替换"), 13, false, false},
        {"SpeedButton13", "QToolButton", {18, 120, 130, 33}, U("添加声音"), U("添加硬盘上的声音文件到新声音列表中。"), 13, false, true},
        {"SpeedButton2", "QToolButton", {18, 152, 130, 33}, U("自己录音"), U("录制您自己的声音，录好的声音将放在“我的录音”分类里。"), 13, false, true},
        {"ComboBox1", "QComboBox", {16, 194, 157, 21}, U("更改QQ声音"), U("选择要更改音效的目标程序。"), 13, false, false},
        {"SpeedButton1", "QToolButton", {16, 216, 137, 33}, U("手工指定程序……"), U("从运行的程序列表或者硬盘当中选择一个程序。"), 13, false, false},
        {"SpeedButton6", "QToolButton", {32, 253, 92, 20}, U("查看更新"), {}, 13, false, true},
        {"SpeedButton9", "QToolButton", {32, 273, 92, 30}, U("About"), {}, 13, false, true},
        {"Button1", "QPushButton", {32, 302, 92, 25}, U("使用帮助"), {}, 13, false, false},
        {"Label7", "QLabel", {24, 328, 129, 17}, U("欢迎给作者来信"), {}, 16, false, false, true, kLink},
        {"Label4", "QLabel", {184, 8, 64, 16}, U("新声音："), {}, 16, false, false, true, kPurple.name()},
        {"Label8", "QLabel", {272, 8, 177, 17}, {}, {}, 13, false, false},
        {"TreeView1", "QTreeWidget", {176, 32, 273, 281}, {}, U("可供选用的声音效果，双击替换"), 13, false, false},
        {"Label9", "QLabel", {488, 8, 153, 17}, {}, {}, 13, false, false},
        {"ListBox1", "QListWidget", {456, 32, 233, 145}, {}, U("QQ、MSN里面现有的声音，双击替换"), 13, false, false},
        {"Button2", "QPushButton", {472, 184, 201, 25}, U("如果换音无效，请点击这里"), U("根据您当前的qq配置文件来重设置声音路径。"), 13, true, false},
        {"Label3", "QLabel", {456, 216, 241, 49}, U("这里列出了QQ或MSN的声音"), {}, 19, false, false},
        {"Label1", "QLabel", {456, 272, 249, 41}, U("未选择程序"), {}, 16, false, false, true, kBlack.name()},
        {"SpeedButton12", "QToolButton", {594, 280, 130, 33}, U("复制声音到TM"), U("复制新的QQ声音到腾讯TM里面。如果您用的是TM，那么请点击此按钮。"), 13, false, true, false},
        {"SpeedButton16", "QToolButton", {154, 320, 130, 33}, U("QQ使用MSN声音"), U("把MSN的声音效果应用到QQ中。"), 13, false, true},
        {"SpeedButton15", "QToolButton", {290, 320, 130, 33}, U("MSN使用QQ声音"), U("把QQ的声音效果应用到MSN里面。"), 13, false, true},
        {"SpeedButton14", "QToolButton", {426, 320, 130, 33}, U("还原默认MSN声音"), U("还原MSN原来的声音效果。"), 13, false, true},
        {"SpeedButton4", "QToolButton", {562, 320, 130, 33}, U("还原QQ默认声音"), U("还原QQ默认的声音效果。"), 13, false, true},
        {"SpeedButton5", "QToolButton", {17, 352, 130, 25}, U("山村静夜"), U("山村静夜声音效果。"), 13, false, true},
        {"SpeedButton7", "QToolButton", {153, 352, 130, 25}, U("高山流水"), U("预设的高山流水声音效果。"), 13, false, true},
        {"SpeedButton8", "QToolButton", {289, 352, 130, 25}, U("鸟语花香"), U("预设的鸟语花香声音效果。"), 13, false, true},
        {"SpeedButton10", "QToolButton", {425, 352, 130, 25}, U("烈火金刚"), U("预设的烈火金刚声音效果。"), 13, false, true},
        {"SpeedButton11", "QToolButton", {561, 352, 130, 25}, U("怒海狂涛"), U("预设的怒海狂涛声音效果。"), 13, false, true},
        {"Label6", "QLabel", {16, 384, 169, 25}, U("Sonatrix2009 主页"), U("主页"), 19, false, false, true, kLink},
        {"Label11", "QLabel", {200, 384, 119, 16}, U("发表留言和评论"), U("雁过留声，人过留名。"), 16, true, false, true, kLink},
        {"Label5", "QLabel", {328, 384, 257, 19}, {}, U("一款免费的游戏，玩游戏背单词，角色扮演类型的，单机小游戏"), 19, false, false, true, kRed.name()},
        {"Label2", "QLabel", {592, 384, 110, 19}, {}, U("点击访问义乌小商品批发网站，小饰品，礼品等低价批发"), 19, false, false, true, kLink},
        {"WebBrowser1", "QTextBrowser", {0, 408, 713, 129}, {}, {}, 13, false, false},
    };
    // clang-format on
    return rows;
}

QString CaptionOf(QWidget* control) {
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return button->text();
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->text();
    if (auto* combo = qobject_cast<QComboBox*>(control))
        return combo->currentText();
    return {};
}

// Whether every fully opaque pixel of `picture` shows unchanged in `image`
// with the picture's top-left corner at `at`.
bool ShowsPicture(const QImage& image, const QImage& picture, QPoint at) {
    int opaque = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb pixel = picture.pixel(x, y);
            if (qAlpha(pixel) != 255)
                continue;
            ++opaque;
            const QPoint p = at + QPoint(x, y);
            if (!image.rect().contains(p) || (image.pixel(p) & 0xFFFFFF) != (pixel & 0xFFFFFF))
                return false;
        }
    }
    return opaque > 0;
}

// Where `picture` is drawn within `area` of `image`; (-1, -1) if nowhere.
QPoint FindPicture(const QImage& image, const QImage& picture, QRect area) {
    for (int y = area.top(); y + picture.height() <= area.bottom() + 1; ++y)
        for (int x = area.left(); x + picture.width() <= area.right() + 1; ++x)
            if (ShowsPicture(image, picture, {x, y}))
                return {x, y};
    return {-1, -1};
}

QColor TextColourOf(QWidget* control) {
    const auto role =
        qobject_cast<QAbstractButton*>(control) ? QPalette::ButtonText : QPalette::WindowText;
    return control->palette().color(role);
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<TestWorld> world;
    std::unique_ptr<TForm1> form;

    template <typename T = QWidget>
    T* Control(const char* name) {
        auto* control = form->findChild<T*>(QString::fromLatin1(name));
        if (!control)
            qFatal("no control %s", name);
        return control;
    }
    // Shows the window with no client to be found (the first show runs).
    void ShowWaiting() {
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }

    // The list shows msg.wav and ring.wav of a folder that need not exist;
    // nothing has been played yet.
    QListWidget* ShowTwoTargetSounds() {
        auto& state = world->model.state;
        state.TargetSoundDir = "/nowhere/";
        state.TargetList = {"msg.wav", "ring.wav"};
        world->model.Changed(sonatrix::kAspectTargetList);
        world->player.played.clear();
        return Control<QListWidget>("ListBox1");
    }

  private slots:
    void init() {
        world = std::make_unique<TestWorld>();
        form = std::make_unique<TForm1>(world->model);
    }
    void cleanup() {
        form.reset();
        world.reset();
    }

    void window() {
        QCOMPARE(form->windowTitle(), QStringLiteral("Sonatrix2009"));
        QCOMPARE(form->size(), QSize(723, 553));
        const Qt::WindowFlags flags = form->windowFlags();
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(flags & Qt::WindowMinimizeButtonHint);
        QVERIFY(flags & Qt::WindowSystemMenuHint);
        QCOMPARE(form->font().pixelSize(), 13);
        QCOMPARE(form->palette().color(QPalette::Window), form->palette().color(QPalette::Button));
    }

    void control_data() {
        QTest::addColumn<int>("row");
        for (std::size_t i = 0; i < Designed().size(); ++i)
            QTest::newRow(Designed()[i].name) << static_cast<int>(i);
    }
    void control() {
        QFETCH(int, row);
        const ControlRow& designed = Designed()[row];
        QWidget* control = Control(designed.name);
        QVERIFY2(control->inherits(designed.className), control->metaObject()->className());
        QCOMPARE(control->geometry(), designed.place);
        if (!designed.caption.isNull())
            QCOMPARE(CaptionOf(control), designed.caption);
        QCOMPARE(control->toolTip(), designed.hint);
        QCOMPARE(control->isVisibleTo(form.get()), designed.visible);
        QVERIFY(control->isEnabled());
        QCOMPARE(control->font().pixelSize(), designed.fontPixels);
        QCOMPARE(control->font().bold(), designed.bold);
        if (designed.colour == kLink)
            QCOMPARE(TextColourOf(control), control->palette().color(QPalette::Link));
        else if (!designed.colour.isEmpty())
            QCOMPARE(TextColourOf(control).name(), designed.colour);
        QVERIFY2(!control->accessibleName().isEmpty(), designed.name);
        if (auto* button = qobject_cast<QToolButton*>(control)) {
            QCOMPARE(button->focusPolicy(), Qt::NoFocus);
            QVERIFY(!button->autoRaise());
            QVERIFY(!button->icon().isNull());
        }
    }

    void linkLabelsShowTheHandCursor() {
        for (const char* name : {"Label7", "Label6", "Label11", "Label5", "Label2"})
            QCOMPARE(Control(name)->cursor().shape(), Qt::PointingHandCursor);
    }

    void comboOffersTheSixKinds() {
        auto* combo = Control<QComboBox>("ComboBox1");
        QCOMPARE(combo->count(), 6);
        QCOMPARE(combo->itemText(3), U("更改其他程序"));
        QCOMPARE(combo->itemText(4), U("更改系统声音"));
        QCOMPARE(combo->itemText(5), U("更改程序设置中的声音"));
        QVERIFY(!combo->isEditable());
    }

    void tabOrder() {
        const QStringList expected = {"ListBox1", "TreeView1",   "ComboBox1", "Button1",
                                      "Button2",  "WebBrowser1", "Button3"};
        QStringList seen;
        QWidget* widget = Control("ListBox1");
        for (int steps = 0; steps < 200 && seen.size() < expected.size(); ++steps) {
            if (expected.contains(widget->objectName()) && !seen.contains(widget->objectName()))
                seen << widget->objectName();
            widget = widget->nextInFocusChain();
        }
        QCOMPARE(seen, expected);
    }

    void topRightControlsFollowTheRightEdge() {
        ShowWaiting();
        form->resize(823, 600);
        QTRY_COMPARE(form->width(), 823);
        for (const ControlRow& designed : Designed()) {
            const int shift = designed.topRight ? 100 : 0;
            QCOMPARE(Control(designed.name)->geometry(), designed.place.translated(shift, 0));
        }
        form->resize(723, 553);
        QTRY_COMPARE(Control("SpeedButton4")->geometry(), QRect(562, 320, 130, 33));
    }

    void addSoundsIsReachedFromTheVisibleButtonOnly() {
        world->SetAppDir();
        ShowWaiting();
        // "复制声音到TM" is never shown, so no user can reach it.
        QVERIFY(!Control("SpeedButton12")->isVisible());
        world->dialogs.shown.clear();
        QTest::mouseClick(Control("SpeedButton13"), Qt::LeftButton);
        QCOMPARE(world->dialogs.shown.size(), std::size_t{1});
        QCOMPARE(world->dialogs.shown[0].form, DialogForm::BrowseForFolder);
        QCOMPARE(world->dialogs.shown[0].text, std::string(sonatrix::kChooseWavFolderTitle));

        // Its own handler is the copy into TM, which without a target asks for one.
        world->dialogs.shown.clear();
        qobject_cast<QAbstractButton*>(Control("SpeedButton12"))->click();
        QCOMPARE(world->dialogs.shown.size(), std::size_t{1});
        QCOMPARE(world->dialogs.shown[0].form, DialogForm::MessageBox);
        QCOMPARE(world->dialogs.shown[0].text,
                 std::string("当前没有可替换的QQ声音，是否手工指定程序？"));
    }

    void linksAndHelpGoToTheShell_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("ending");
        QTest::newRow("home") << "Label6"
                              << "default"
                              << "about.htm";
        QTest::newRow("updates") << "SpeedButton6"
                                 << "default"
                                 << "about.htm";
        QTest::newRow("mail") << "Label7"
                              << "default"
                              << "?subject=qq sound";
        QTest::newRow("sponsor") << "Label2"
                                 << "default"
                                 << "#sponsor";
        QTest::newRow("game") << "Label5"
                              << "browser"
                              << "#game";
        QTest::newRow("comment") << "Label11"
                                 << "browser"
                                 << "#comment";
        QTest::newRow("help") << "Button1"
                              << "browser"
                              << "help.htm";
    }
    void linksAndHelpGoToTheShell() {
        QFETCH(QString, control);
        QFETCH(QString, how);
        QFETCH(QString, ending);
        world->SetAppDir();
        QTest::mouseClick(Control(control.toLatin1().constData()), Qt::LeftButton);
        QCOMPARE(world->shell.calls.size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(world->shell.calls[0].how), how);
        QVERIFY(QString::fromStdString(world->shell.calls[0].argument).endsWith(ending));
    }

    void aboutPlaysAndShowsTheBox() {
        world->SetAppDir();
        QTest::mouseClick(Control("SpeedButton9"), Qt::LeftButton);
        QCOMPARE(world->player.played.size(), std::size_t{1});
        QCOMPARE(world->dialogs.shown.size(), std::size_t{1});
        QCOMPARE(world->dialogs.shown[0].form, DialogForm::About);
    }

    void targetListRowsAre18PixelsWithTheTextIndented() {
        ShowWaiting();
        auto& state = world->model.state;
        state.TargetList = {"msg.wav", "other.wav", "ring.wav"};
        world->model.Changed(sonatrix::kAspectTargetList);
        auto* list = Control<QListWidget>("ListBox1");
        QCOMPARE(list->count(), 3);
        for (int row = 0; row < list->count(); ++row)
            QCOMPARE(list->visualItemRect(list->item(row)).height(), 18);
        QCOMPARE(list->item(1)->text(), QStringLiteral("other.wav"));

        const QImage image = list->viewport()->grab().toImage();
        const QColor background = image.pixelColor(image.width() - 2, 3 * 18 + 5);
        auto drawnIn = [&](int row, int fromX, int toX) {
            for (int y = row * 18; y < row * 18 + 18; ++y)
                for (int x = fromX; x < toX; ++x)
                    if (image.pixelColor(x, y) != background)
                        return true;
            return false;
        };
        QVERIFY(drawnIn(0, 1, 17));   // msg.wav has the penguin
        QVERIFY(!drawnIn(1, 0, 20));  // other.wav has no icon: nothing left of the text
        QVERIFY(drawnIn(1, 20, 60));  // and its text starts at 20
        QVERIFY(drawnIn(2, 1, 17));   // ring.wav has the telephone
    }

    void selectingAnItemRunsListBox1Click() {
        auto* list = ShowTwoTargetSounds();
        list->setCurrentRow(0);
        QCOMPARE(Control<QLabel>("Label9")->text(), QStringLiteral("msg.wav"));
        QCOMPARE(Control<QLabel>("Label3")->text(), U("QQ收到消息"));
        QCOMPARE(world->player.played, std::vector<std::string>{"/nowhere/msg.wav"});
        // A refill neither selects nor plays.
        world->model.Changed(sonatrix::kAspectTargetList);
        QCOMPARE(world->player.played.size(), std::size_t{1});
        QCOMPARE(list->currentRow(), -1);
    }

    void eachClickPlaysOnce() {
        ShowWaiting();
        auto* list = ShowTwoTargetSounds();
        auto clickRow = [&](int row) {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(list->item(row)).center());
        };
        clickRow(1);
        QCOMPARE(world->player.played.size(), std::size_t{1});
        clickRow(1);  // the selected item again: heard again
        QCOMPARE(world->player.played.size(), std::size_t{2});
        clickRow(0);
        QCOMPARE(world->player.played,
                 (std::vector<std::string>{"/nowhere/ring.wav", "/nowhere/ring.wav",
                                           "/nowhere/msg.wav"}));
    }

    // TreeView1Click runs on every left click in the tree, also on an
    // expander and beside the nodes: it takes the selected node again.
    void treeClickRunsOnEveryClick() {
        world->Put("app/newsounds/自定义/a.wav");
        world->Put("app/newsounds/x.wav");
        ShowWaiting();
        auto* tree = Control<QTreeWidget>("TreeView1");
        auto* label8 = Control<QLabel>("Label8");
        QTreeWidgetItem* custom = tree->findItems(U("自定义"), Qt::MatchExactly).value(0);
        QTreeWidgetItem* x = tree->findItems(U("x.wav"), Qt::MatchExactly).value(0);
        QVERIFY(custom && x);
        const std::string xPath = world->appDir + "newsounds" +
                                  char(std::filesystem::path::preferred_separator) + "x.wav";

        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(x).center());
        QCOMPARE(label8->text(), U("x.wav"));
        QCOMPARE(world->player.played, std::vector<std::string>{xPath});

        const QRect folderRow = tree->visualItemRect(custom);
        const QPoint expander(folderRow.left() - tree->indentation() / 2, folderRow.center().y());
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, expander);
        QVERIFY(custom->isExpanded());
        QCOMPARE(label8->text(), U("x.wav"));
        QCOMPARE(world->player.played, (std::vector<std::string>{xPath, xPath}));

        // Below the last node.
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                          {tree->viewport()->width() / 2, tree->viewport()->height() - 5});
        QCOMPARE(world->player.played.size(), std::size_t{3});
        QCOMPARE(label8->text(), U("x.wav"));

        // A right click is no click.
        QTest::mouseClick(tree->viewport(), Qt::RightButton, {}, tree->visualItemRect(x).center());
        QCOMPARE(world->player.played.size(), std::size_t{3});

        // A double-click whose last release went elsewhere (to the dialog its
        // command opened) leaves the next click a click.
        const QPointF below(tree->viewport()->width() / 2, tree->viewport()->height() - 5);
        QMouseEvent doubleClick(QEvent::MouseButtonDblClick, below,
                                tree->viewport()->mapToGlobal(below), Qt::LeftButton,
                                Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(tree->viewport(), &doubleClick);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(x).center());
        QCOMPARE(world->player.played.size(), std::size_t{4});
    }

    // A click that leaves no item of the list selected changes nothing.
    void listCtrlClickThatDeselectsPlaysNothing() {
        ShowWaiting();
        auto* list = ShowTwoTargetSounds();
        const QPoint first = list->visualItemRect(list->item(0)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first);
        QCOMPARE(world->player.played.size(), std::size_t{1});

        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, first);
        QVERIFY(list->selectedItems().isEmpty());
        QCOMPARE(world->player.played.size(), std::size_t{1});
        QCOMPARE(Control<QLabel>("Label9")->text(), QStringLiteral("msg.wav"));
    }

    void treeMirrorsTheLibrary() {
        world->Put("app/newsounds/自定义/a.wav");
        world->Put("app/newsounds/自定义/b.txt");
        world->Put("app/newsounds/x.wav");
        world->SetAppDir();
        sonatrix::RebuildLibraryTree(world->model);

        auto* tree = Control<QTreeWidget>("TreeView1");
        const auto& root = world->model.libraryTree.Root();
        QCOMPARE(tree->topLevelItemCount(), static_cast<int>(root.Children().size()));
        for (int i = 0; i < tree->topLevelItemCount(); ++i) {
            const auto& node = *root.Children()[i];
            QCOMPARE(tree->topLevelItem(i)->text(0), QString::fromStdString(node.Text()));
            QCOMPARE(tree->topLevelItem(i)->childCount(), static_cast<int>(node.Children().size()));
        }
        // The rebuild selects the first node without a click.
        QCOMPARE(tree->currentItem(), tree->topLevelItem(0));
        QVERIFY(Control<QLabel>("Label8")->text().isEmpty());
        QVERIFY(world->player.played.empty());

        QTreeWidgetItem* custom = tree->findItems(U("自定义"), Qt::MatchExactly).value(0);
        QVERIFY(custom);
        QTreeWidgetItem* a = nullptr;
        for (int i = 0; i < custom->childCount(); ++i)
            if (custom->child(i)->text(0) == "a.wav")
                a = custom->child(i);
        QVERIFY(a);
        const QImage collapsed = custom->icon(0).pixmap(16, 16).toImage();
        QCOMPARE(collapsed, sonatrix::gui::TreeImage(0).toImage());
        tree->expandItem(custom);
        QCOMPARE(custom->icon(0).pixmap(16, 16).toImage(), sonatrix::gui::TreeImage(1).toImage());
        QCOMPARE(a->icon(0).pixmap(16, 16).toImage(), sonatrix::gui::TreeImage(2).toImage());
        tree->setCurrentItem(a);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(a).center());
        QCOMPARE(Control<QLabel>("Label8")->text(), U("自定义") + QDir::separator() + "a.wav");
        QCOMPARE(world->player.played.size(), std::size_t{1});
        QCOMPARE(tree->indentation(), 19);
        QVERIFY(tree->isHeaderHidden());
    }

    // Selection never changes a node's picture: a selected node shows its
    // picture pixel for pixel as it shows unselected.
    void selectedNodeKeepsItsPicture_data() {
        QTest::addColumn<QString>("node");
        QTest::addColumn<bool>("expanded");
        QTest::addColumn<int>("picture");
        QTest::newRow("collapsed folder") << U("自定义") << false << 0;
        QTest::newRow("expanded folder") << U("自定义") << true << 1;
        QTest::newRow("sound") << U("x.wav") << false << 2;
    }
    void selectedNodeKeepsItsPicture() {
        QFETCH(QString, node);
        QFETCH(bool, expanded);
        QFETCH(int, picture);
        world->Put("app/newsounds/自定义/a.wav");
        world->Put("app/newsounds/x.wav");
        ShowWaiting();
        auto* tree = Control<QTreeWidget>("TreeView1");
        QTreeWidgetItem* item = tree->findItems(node, Qt::MatchExactly).value(0);
        QVERIFY(item);
        item->setExpanded(expanded);
        const QImage image =
            sonatrix::gui::TreeImage(picture).toImage().convertToFormat(QImage::Format_ARGB32);

        // The same node current in both pictures, so only the selection differs.
        tree->setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
        tree->clearSelection();
        const QImage unselected = tree->viewport()->grab().toImage();
        const QRect row = tree->visualItemRect(item);
        const QPoint at =
            FindPicture(unselected, image, {0, row.top(), unselected.width(), row.height()});
        QVERIFY2(at.x() >= 0, "the node's picture is not drawn");

        tree->setCurrentItem(item);
        QVERIFY(item->isSelected());
        const QImage selected = tree->viewport()->grab().toImage();
        QVERIFY(ShowsPicture(selected, image, at));
    }

    void targetLineColours_data() {
        QTest::addColumn<uint>("value");
        QTest::addColumn<QString>("expected");  // "window-text" for the palette's colour
        QTest::newRow("black as designed") << 0x000000u << "#000000";
        QTest::newRow("255 is pure red") << 0x0000FFu << "#ff0000";
        QTest::newRow("BGR order") << 0xFF0000u << "#0000ff";
        QTest::newRow("clWindowText") << 0x80000008u << "window-text";
    }
    void targetLineColours() {
        QFETCH(uint, value);
        QFETCH(QString, expected);
        world->model.state.TargetStatusColour = value;
        world->model.state.TargetStatusText = "/opt/QQ/Bin/QQ.exe";
        world->model.Changed(sonatrix::kAspectTargetStatus);
        auto* label = Control<QLabel>("Label1");
        QCOMPARE(label->text(), QStringLiteral("/opt/QQ/Bin/QQ.exe"));
        const QColor wanted = expected == "window-text"
                                  ? form->palette().color(QPalette::WindowText)
                                  : QColor(expected);
        QCOMPARE(label->palette().color(QPalette::WindowText), wanted);
    }

    void stateMirrorsButtonsTimerAndCombo() {
        auto& state = world->model.state;
        state.TargetCommandButtonsEnabled = false;
        state.Timer1Enabled = true;
        state.ComboIndex = 2;
        world->model.Changed(sonatrix::kAspectCommandButtons | sonatrix::kAspectTimer |
                             sonatrix::kAspectCombo);
        for (const char* name : {"SpeedButton3", "SpeedButton4", "SpeedButton5", "SpeedButton7",
                                 "SpeedButton8", "SpeedButton10", "SpeedButton11"})
            QVERIFY2(!Control(name)->isEnabled(), name);
        for (const char* name : {"SpeedButton14", "SpeedButton15", "SpeedButton16", "Button3",
                                 "SpeedButton13", "SpeedButton2", "SpeedButton1", "Button2"})
            QVERIFY2(Control(name)->isEnabled(), name);
        auto* timer = form->findChild<QTimer*>("Timer1");
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 5000);
        QCOMPARE(Control<QComboBox>("ComboBox1")->currentIndex(), 2);
        QCOMPARE(state.TargetKind, 0);  // setting the index is not a choice
    }

    void bytesThatAreNotUtf8AreShownAndKept() {
        const std::string gbk = "\xc9\xf9\xd2\xf4.wav";  // "声音.wav" in GBK
        world->model.state.TargetList = {gbk};
        world->model.Changed(sonatrix::kAspectTargetList);
        auto* item = Control<QListWidget>("ListBox1")->item(0);
        QVERIFY(item->text().endsWith(".wav"));
        QVERIFY(!item->text().isEmpty());
        QCOMPARE(item->data(Qt::UserRole + 1).toByteArray(), QByteArray::fromStdString(gbk));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
