// SPDX-License-Identifier: GPL-3.0-or-later
#include "tform1.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QSignalBlocker>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include "app/links.h"
#include "app/startup.h"
#include "catalogue/catalogue.h"
#include "delphi_colour.h"
#include "discovery/manual_pick.h"
#include "display_text.h"
#include "glyph_button.h"
#include "library/add_sounds.h"
#include "library/library_tree.h"
#include "link_label.h"
#include "model/dialogs.h"
#include "model/target_list.h"
#include "pictures.h"
#include "replace/library_preview.h"
#include "sound_drop_handler.h"
#include "target_list_delegate.h"
#include "window_font.h"

using sonatrix::gui::DisplayText;
using sonatrix::gui::Glyph;
using sonatrix::gui::LinkLabel;

namespace {

constexpr int kTreeIndent = 19;
constexpr int kNodeRole = Qt::UserRole + 1;
// Delphi's clRed and clPurple.
const QColor kRed(255, 0, 0);
const QColor kPurple(128, 0, 128);

// Label5 names another free game: a vocabulary-learning role-playing game.
constexpr const char* kOtherGameName = "单词勇者传说（免费游戏）";
// There is no sponsor yet; the caption says what the link is for.
constexpr const char* kSponsorCaption = "赞助商网站";

QFont FontOf(int pixels, bool bold = false) {
    QFont font = sonatrix::gui::WindowFont();
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// A disabled control keeps the style's grey text, as a disabled button shows it.
void SetTextColour(QWidget* control, const QColor& colour, QPalette::ColorRole role) {
    QPalette palette = control->palette();
    palette.setColor(QPalette::Active, role, colour);
    palette.setColor(QPalette::Inactive, role, colour);
    control->setPalette(palette);
}

template <typename Control>
Control* Place(Control* control, const char* name, const QRect& place) {
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(place);
    return control;
}

QToolButton* GlyphButton(QWidget* parent, const char* name, const QRect& place, const char* caption,
                         Glyph glyph, const char* hint) {
    auto* button = Place(new sonatrix::gui::GlyphButton(parent), name, place);
    button->setIcon(sonatrix::gui::GlyphIcon(glyph));
    button->setIconSize(sonatrix::gui::GlyphSize(glyph));
    button->setText(QString::fromUtf8(caption));
    button->setAccessibleName(button->text());
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(false);
    button->setFocusPolicy(Qt::NoFocus);
    if (hint)
        button->setToolTip(QString::fromUtf8(hint));
    return button;
}

QPushButton* PushButton(QWidget* parent, const char* name, const QRect& place, const char* caption,
                        const char* hint) {
    auto* button = Place(new QPushButton(QString::fromUtf8(caption), parent), name, place);
    button->setAccessibleName(button->text());
    if (hint)
        button->setToolTip(QString::fromUtf8(hint));
    return button;
}

template <typename LabelType>
LabelType* MakeLabel(QWidget* parent, const char* name, const QRect& place, const char* caption,
                     int pixels, bool wrap) {
    auto* label = Place(new LabelType(parent), name, place);
    label->setText(QString::fromUtf8(caption));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(wrap);
    label->setFont(FontOf(pixels));
    label->setAccessibleName(label->text());
    return label;
}

LinkLabel* MakeLink(QWidget* parent, const char* name, const QRect& place, const char* caption,
                    int pixels, bool wrap, const char* hint) {
    auto* label = MakeLabel<LinkLabel>(parent, name, place, caption, pixels, wrap);
    SetTextColour(label, label->palette().color(QPalette::Link), QPalette::WindowText);
    if (hint)
        label->setToolTip(QString::fromUtf8(hint));
    return label;
}

// A label that shows a core text, named by what it shows.
void ShowText(QLabel* label, const std::string& bytes, const QString& emptyName) {
    label->setText(DisplayText(bytes));
    label->setAccessibleName(label->text().isEmpty() ? emptyName : label->text());
}

}  // namespace

TForm1::TForm1(sonatrix::MainModel& model, QWidget* parent) : QWidget(parent), model_(model) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(sonatrix::kAppTitle));
    setAccessibleName(windowTitle());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFont(sonatrix::gui::WindowFont());
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Button));
    setPalette(palette);
    setAutoFillBackground(true);
    resize(kClientWidth, kClientHeight);

    CreateControls();
    SetTabOrder();
    WireWindow();
    WireCommands();
    model_.SetView(this);
}

TForm1::~TForm1() {
    model_.SetView(nullptr);
}

void TForm1::CreateControls() {
    // Left column: commands.
    SpeedButton3 = GlyphButton(this, "SpeedButton3", {18, 48, 130, 33}, "换音", Glyph::QQBadge,
                               "替换选中的声音");
    SpeedButton3->setFont(FontOf(13, true));
    SetTextColour(SpeedButton3, kRed, QPalette::ButtonText);
    AnchorTopRight(SpeedButton3);
    Button3 = PushButton(this, "Button3", {18, 80, 130, 25}, "随机换音",
                         "将把QQ目录内的声音选一个随机的声音来替换");
    SpeedButton13 = GlyphButton(this, "SpeedButton13", {18, 120, 130, 33}, "添加声音",
                                Glyph::PageFolderArrow, "添加硬盘上的声音文件到新声音列表中。");
    AnchorTopRight(SpeedButton13);
    SpeedButton2 =
        GlyphButton(this, "SpeedButton2", {18, 152, 130, 33}, "自己录音", Glyph::RecordDisc,
                    "录制您自己的声音，录好的声音将放在“我的录音”分类里。");
    AnchorTopRight(SpeedButton2);

    ComboBox1 = Place(new QComboBox(this), "ComboBox1", {16, 194, 157, 21});
    ComboBox1->setEditable(false);
    for (const auto& kind : sonatrix::kTargetKinds)
        ComboBox1->addItem(QString::fromUtf8(kind.comboText));
    ComboBox1->setCurrentIndex(0);
    ComboBox1->setToolTip(QStringLiteral("选择要更改音效的目标程序。"));
    ComboBox1->setAccessibleName(ComboBox1->toolTip());

    SpeedButton1 =
        GlyphButton(this, "SpeedButton1", {16, 216, 137, 33}, "手工指定程序……",
                    Glyph::MagnifyingGlass, "从运行的程序列表或者硬盘当中选择一个程序。");
    SpeedButton6 =
        GlyphButton(this, "SpeedButton6", {32, 253, 92, 20}, "查看更新", Glyph::Carrot, nullptr);
    AnchorTopRight(SpeedButton6);
    SpeedButton9 =
        GlyphButton(this, "SpeedButton9", {32, 273, 92, 30}, "About", Glyph::QuestionDisc, nullptr);
    QFont aboutFont;
    aboutFont.setFamilies(
        {QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif")});
    aboutFont.setPixelSize(13);
    SpeedButton9->setFont(aboutFont);
    AnchorTopRight(SpeedButton9);
    Button1 = PushButton(this, "Button1", {32, 302, 92, 25}, "使用帮助", nullptr);
    // The product has no author address yet, so there is nothing to show as the hint.
    Label7 = MakeLink(this, "Label7", {24, 328, 129, 17}, "欢迎给作者来信", 16, true, nullptr);

    // Middle: the sound library.
    Label4 = MakeLabel<QLabel>(this, "Label4", {184, 8, 64, 16}, "新声音：", 16, false);
    SetTextColour(Label4, kPurple, QPalette::WindowText);
    Label8 = MakeLabel<QLabel>(this, "Label8", {272, 8, 177, 17}, "", 13, false);
    Label8->setAccessibleName(QStringLiteral("新声音"));
    TreeView1 = Place(new QTreeWidget(this), "TreeView1", {176, 32, 273, 281});
    TreeView1->setHeaderHidden(true);
    TreeView1->setIndentation(kTreeIndent);
    TreeView1->setIconSize(QSize(16, 16));
    TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeView1->setSelectionMode(QAbstractItemView::SingleSelection);
    TreeView1->setToolTip(QStringLiteral("可供选用的声音效果，双击替换"));
    TreeView1->setAccessibleName(TreeView1->toolTip());
    {
        // The chosen sound stays highlighted while another control has the focus.
        QPalette treePalette = TreeView1->palette();
        for (auto role : {QPalette::Highlight, QPalette::HighlightedText})
            treePalette.setColor(QPalette::Inactive, role,
                                 treePalette.color(QPalette::Active, role));
        TreeView1->setPalette(treePalette);
    }

    // Right: the target.
    Label9 = MakeLabel<QLabel>(this, "Label9", {488, 8, 153, 17}, "", 13, false);
    Label9->setAccessibleName(QStringLiteral("选中的声音"));
    ListBox1 = Place(new QListWidget(this), "ListBox1", {456, 32, 233, 145});
    ListBox1->setItemDelegate(new sonatrix::gui::TargetListDelegate(ListBox1));
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListBox1->setUniformItemSizes(true);
    ListBox1->setToolTip(QStringLiteral("QQ、MSN里面现有的声音，双击替换"));
    ListBox1->setAccessibleName(ListBox1->toolTip());
    ListBox1->viewport()->installEventFilter(this);
    Button2 = PushButton(this, "Button2", {472, 184, 201, 25}, "如果换音无效，请点击这里",
                         "根据您当前的qq配置文件来重设置声音路径。");
    Button2->setFont(FontOf(13, true));
    Label3 =
        MakeLabel<QLabel>(this, "Label3", {456, 216, 241, 49}, sonatrix::kSoundListNote, 19, true);
    Label1 = MakeLabel<QLabel>(this, "Label1", {456, 272, 249, 41}, sonatrix::kNoProgramChosen, 16,
                               true);
    SetTextColour(Label1, Qt::black, QPalette::WindowText);
    SpeedButton12 =
        GlyphButton(this, "SpeedButton12", {594, 280, 130, 33}, "复制声音到TM", Glyph::Clipboard,
                    "复制新的QQ声音到腾讯TM里面。如果您用的是TM，那么请点击此按钮。");
    SpeedButton12->setVisible(false);
    AnchorTopRight(SpeedButton12);

    // Restore and cross-apply row.
    SpeedButton16 = GlyphButton(this, "SpeedButton16", {154, 320, 130, 33}, "QQ使用MSN声音",
                                Glyph::ClockArrow, "把MSN的声音效果应用到QQ中。");
    SpeedButton15 = GlyphButton(this, "SpeedButton15", {290, 320, 130, 33}, "MSN使用QQ声音",
                                Glyph::ClockArrow, "把QQ的声音效果应用到MSN里面。");
    SpeedButton14 = GlyphButton(this, "SpeedButton14", {426, 320, 130, 33}, "还原默认MSN声音",
                                Glyph::ClockArrow, "还原MSN原来的声音效果。");
    SpeedButton4 = GlyphButton(this, "SpeedButton4", {562, 320, 130, 33}, "还原QQ默认声音",
                               Glyph::ClockArrow, "还原QQ默认的声音效果。");
    for (QWidget* button : {SpeedButton16, SpeedButton15, SpeedButton14, SpeedButton4})
        AnchorTopRight(button);

    // Preset theme row.
    SpeedButton5 = GlyphButton(this, "SpeedButton5", {17, 352, 130, 25}, "山村静夜",
                               Glyph::TeddyBear, "山村静夜声音效果。");
    SpeedButton7 = GlyphButton(this, "SpeedButton7", {153, 352, 130, 25}, "高山流水",
                               Glyph::DragonHead, "预设的高山流水声音效果。");
    SpeedButton8 = GlyphButton(this, "SpeedButton8", {289, 352, 130, 25}, "鸟语花香",
                               Glyph::YellowCreature, "预设的鸟语花香声音效果。");
    SpeedButton10 = GlyphButton(this, "SpeedButton10", {425, 352, 130, 25}, "烈火金刚",
                                Glyph::DogFace, "预设的烈火金刚声音效果。");
    SpeedButton11 = GlyphButton(this, "SpeedButton11", {561, 352, 130, 25}, "怒海狂涛",
                                Glyph::CatFace, "预设的怒海狂涛声音效果。");
    for (QWidget* button : {SpeedButton5, SpeedButton7, SpeedButton8, SpeedButton10, SpeedButton11})
        AnchorTopRight(button);

    // Link row.
    Label6 = MakeLink(this, "Label6", {16, 384, 169, 25}, "Sonatrix2009 主页", 19, true, "主页");
    Label11 = MakeLink(this, "Label11", {200, 384, 119, 16}, "发表留言和评论", 16, false,
                       "雁过留声，人过留名。");
    Label11->setFont(FontOf(16, true));
    Label5 = MakeLabel<LinkLabel>(this, "Label5", {328, 384, 257, 19}, kOtherGameName, 19, false);
    SetTextColour(Label5, kRed, QPalette::WindowText);
    Label5->setToolTip(QStringLiteral("一款免费的游戏，玩游戏背单词，角色扮演类型的，单机小游戏"));
    Label2 = MakeLink(this, "Label2", {592, 384, 110, 19}, kSponsorCaption, 19, true,
                      "点击访问义乌小商品批发网站，小饰品，礼品等低价批发");

    // Bottom.
    WebBrowser1 = Place(new QTextBrowser(this), "WebBrowser1", {0, 408, 713, 129});
    WebBrowser1->setOpenLinks(false);
    WebBrowser1->setAccessibleName(QStringLiteral("Sonatrix2009 新闻"));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(sonatrix::kPollIntervalMs);
}

void TForm1::AnchorTopRight(QWidget* control) {
    topRight_.push_back({control, control->geometry()});
}

void TForm1::SetTabOrder() {
    const QWidget* chain[] = {ListBox1, TreeView1,   ComboBox1, Button1,
                              Button2,  WebBrowser1, Button3};
    for (std::size_t i = 0; i + 1 < std::size(chain); ++i)
        setTabOrder(const_cast<QWidget*>(chain[i]), const_cast<QWidget*>(chain[i + 1]));
}

void TForm1::WireWindow() {
    using namespace sonatrix;
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(model_); });

    connect(ListBox1, &QListWidget::itemSelectionChanged, this, [this] {
        pressChangedSelection_ = true;
        ListBox1Click(model_, SelectedListRow());
    });
    // Clicking the item that is already selected plays it again.
    connect(ListBox1, &QListWidget::itemClicked, this, [this] {
        if (!pressChangedSelection_)
            ListBox1Click(model_, SelectedListRow());
    });

    new gui::SoundDropHandler(
        model_, TreeView1, ListBox1,
        [](const QTreeWidgetItem* item) {
            const auto* node =
                static_cast<const TreeNode*>(item->data(0, kNodeRole).value<void*>());
            return node ? LibraryRelativePath(*node) : std::string();
        },
        this);
    // TreeView1Click runs from the tree's viewport filter: on every click.
    TreeView1->viewport()->installEventFilter(this);
    auto showExpansion = [](QTreeWidgetItem* item) {
        item->setIcon(0, gui::TreeIcon(TreeImageIndex(item->childCount() > 0, item->isExpanded())));
    };
    connect(TreeView1, &QTreeWidget::itemExpanded, this, showExpansion);
    connect(TreeView1, &QTreeWidget::itemCollapsed, this, showExpansion);

    connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(model_); });
    connect(SpeedButton6, &QToolButton::clicked, this, [this] { SpeedButton6Click(model_); });
    connect(SpeedButton9, &QToolButton::clicked, this, [this] { SpeedButton9Click(model_); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(model_); });
    connect(Label6, &LinkLabel::clicked, this, [this] { Label6Click(model_); });
    connect(Label7, &LinkLabel::clicked, this, [this] { Label7Click(model_); });
    connect(Label2, &LinkLabel::clicked, this, [this] { Label2Click(model_); });
    connect(Label5, &LinkLabel::clicked, this, [this] { Label5Click(model_); });
    connect(Label11, &LinkLabel::clicked, this, [this] { Label11Click(model_); });
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ListBox1->viewport() && event->type() == QEvent::MouseButtonPress)
        pressChangedSelection_ = false;
    if (watched == TreeView1->viewport())
        TreeMouseEvent(event);
    return QWidget::eventFilter(watched, event);
}

void TForm1::TreeMouseEvent(QEvent* event) {
    // The tree's own clicked signal leaves out the expander and the space
    // beside the nodes; a click anywhere in the tree is a click. The press
    // has already selected (or expanded) by the time the button goes up.
    if (event->type() == QEvent::MouseButtonPress)
        releaseEndsDoubleClick_ = false;  // a release taken by a dialog is forgotten
    if (event->type() == QEvent::MouseButtonDblClick) {
        releaseEndsDoubleClick_ = true;
        return;
    }
    if (event->type() != QEvent::MouseButtonRelease ||
        static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
        return;
    if (releaseEndsDoubleClick_) {
        releaseEndsDoubleClick_ = false;  // its first click has run already
        return;
    }
    TreeView1Click(model_, SelectedNode());
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (firstShowDone_)
        return;
    firstShowDone_ = true;
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    sonatrix::FormShow(model_);
}

void TForm1::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (newsRequested_)
        return;
    newsRequested_ = true;
    // The news page fills in just after the window's first frame, as a web
    // page fills in after its window appears: its fonts and layout would
    // otherwise hold back the first frame of every start.
    QTimer::singleShot(0, this, &TForm1::LoadNewsPage);
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (sonatrix::FormCloseQuery(model_))
        QWidget::closeEvent(event);
    else
        event->ignore();
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int growth = width() - kClientWidth;
    for (const Anchored& anchored : topRight_)
        anchored.control->setGeometry(anchored.designed.translated(growth, 0));
}

void TForm1::LoadNewsPage() {
    const std::string page = model_.state.AppDir + sonatrix::kNewsPage;
    const QString path = QFile::decodeName(QByteArray::fromStdString(page));
    // A missing page leaves the view empty, as a page that failed to load would.
    if (QFile::exists(path))
        WebBrowser1->setSource(QUrl::fromLocalFile(path));
}

void TForm1::StateChanged(unsigned aspects) {
    using namespace sonatrix;
    const MainState& state = model_.state;
    if (aspects & kAspectTargetStatus)
        ShowTargetStatus();
    if (aspects & kAspectTargetList)
        ShowTargetList();
    if (aspects & kAspectCommandButtons) {
        for (QWidget* button : {SpeedButton3, SpeedButton4, SpeedButton5, SpeedButton7,
                                SpeedButton8, SpeedButton10, SpeedButton11})
            button->setEnabled(state.TargetCommandButtonsEnabled);
    }
    if (aspects & kAspectTimer) {
        if (state.Timer1Enabled && !Timer1->isActive())
            Timer1->start();
        else if (!state.Timer1Enabled)
            Timer1->stop();
    }
    if (aspects & kAspectLibraryTree)
        RebuildTree();
    if (aspects & kAspectLabels)
        ShowLabels();
    if (aspects & kAspectCombo) {
        const QSignalBlocker blocker(ComboBox1);
        ComboBox1->setCurrentIndex(state.ComboIndex);
    }
    if (aspects & kAspectSelectFirstNode)
        SelectFirstNode();
}

void TForm1::ShowTargetStatus() {
    const auto& state = model_.state;
    ShowText(Label1, state.TargetStatusText, QStringLiteral("目标程序"));
    SetTextColour(Label1, sonatrix::gui::ColourFromValue(state.TargetStatusColour, palette()),
                  QPalette::WindowText);
}

void TForm1::ShowLabels() {
    const auto& state = model_.state;
    ShowText(Label3, state.SoundDescriptionText, QStringLiteral("声音说明"));
    ShowText(Label8, state.SelectedLibrarySound, QStringLiteral("新声音"));
    ShowText(Label9, state.SelectedTargetSound, QStringLiteral("选中的声音"));
}

void TForm1::ShowTargetList() {
    const QSignalBlocker blocker(ListBox1);
    ListBox1->clear();
    for (const std::string& name : model_.state.TargetList) {
        auto* item = new QListWidgetItem(DisplayText(name));
        item->setData(sonatrix::gui::kItemBytesRole, QByteArray::fromStdString(name));
        ListBox1->addItem(item);
    }
}

void TForm1::RebuildTree() {
    TreeView1->setUpdatesEnabled(false);
    {
        const QSignalBlocker blocker(TreeView1);
        TreeView1->clear();
        AddTreeChildren(nullptr, model_.libraryTree.Root());
    }
    TreeView1->setUpdatesEnabled(true);
}

void TForm1::AddTreeChildren(QTreeWidgetItem* parentItem, const sonatrix::TreeNode& node) {
    for (const auto& child : node.Children()) {
        auto* item = new QTreeWidgetItem;
        item->setText(0, DisplayText(child->Text()));
        item->setData(0, kNodeRole, QVariant::fromValue(static_cast<void*>(child.get())));
        item->setIcon(
            0, sonatrix::gui::TreeIcon(sonatrix::TreeImageIndex(child->HasChildren(), false)));
        if (parentItem)
            parentItem->addChild(item);
        else
            TreeView1->addTopLevelItem(item);
        AddTreeChildren(item, *child);
    }
}

void TForm1::SelectFirstNode() {
    const QSignalBlocker blocker(TreeView1);
    if (QTreeWidgetItem* first = TreeView1->topLevelItem(0))
        TreeView1->setCurrentItem(first);
}

int TForm1::SelectedListRow() const {
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    return selected.isEmpty() ? -1 : ListBox1->row(selected.first());
}

const sonatrix::TreeNode* TForm1::SelectedNode() const {
    const QList<QTreeWidgetItem*> selected = TreeView1->selectedItems();
    if (selected.isEmpty())
        return nullptr;
    const QTreeWidgetItem* item = selected.first();
    return static_cast<const sonatrix::TreeNode*>(item->data(0, kNodeRole).value<void*>());
}
