// SPDX-License-Identifier: GPL-3.0-or-later
#include "tform3.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

#include "dialog_button.h"
#include "library/recorder_logic.h"
#include "media_player_bar.h"
#include "note_label.h"
#include "window_font.h"

namespace {

constexpr const char* kLabel1Text =
    "注意：如果您需要从不同的设备来录音（麦克风，声卡等）请单击“选择录音来源”按钮。"
    "显示录音控制面板后，可能有些设备没有列出，那么单击“选项”“属性”，然后把里面的设备前都"
    "打上勾，然后点击“确定”按钮。";
constexpr const char* kLabel2Text =
    "如果需要从麦克风录音，在“麦克风”或者“MIC”下面打勾。如果要从电脑播放的声音中录音，在Mono "
    "Mixer或者Wave或者“波形”选项下面打上勾。最后关闭此录音控制面板即可。 ";

QLabel* MakeNote(QWidget* parent, const char* name, const QString& text, const QRect& place) {
    auto* label = new sonatrix::gui::NoteLabel(text, parent);
    label->setObjectName(name);
    label->setAccessibleName(text);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setStyleSheet("color: red;");
    label->setGeometry(place);
    return label;
}

}  // namespace

TForm3::TForm3(sonatrix::RecorderLogic& logic, QWidget* parent) : QDialog(parent), logic_(logic) {
    setObjectName("Form3");
    setWindowTitle("录音");
    setAccessibleName("录音");
    setGeometry(343, 224, 375, 273);
    setFixedSize(375, 273);
    setFont(sonatrix::gui::WindowFont());  // "宋体" 13 pixels, or a CJK stand-in

    MediaPlayer1 = new MediaPlayerBar(logic.Capture(), this);
    MediaPlayer1->setObjectName("MediaPlayer1");
    MediaPlayer1->setGeometry(40, 8, 253, 30);
    Button1 = sonatrix::gui::DialogButton(this, "Button1", "开始录音", {32, 64, 75, 25});
    Button2 = sonatrix::gui::DialogButton(this, "Button2", "停止录音", {120, 64, 75, 25});
    Button3 = sonatrix::gui::DialogButton(this, "Button3", "选择录音来源", {216, 64, 105, 25});
    Button3->setToolTip("选择从麦克风录音还是从播放的声音中录音");
    Label1 = MakeNote(this, "Label1", kLabel1Text, {8, 104, 345, 57});
    Label2 = MakeNote(this, "Label2", kLabel2Text, {8, 168, 345, 57});

    connect(Button1, &QPushButton::clicked, this, &TForm3::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm3::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm3::Button3Click);
    ShowState();
}

void TForm3::Button1Click() {
    logic_.Button1Click();
    ShowState();
}

void TForm3::Button2Click() {
    logic_.Button2Click();
    ShowState();
}

void TForm3::Button3Click() {
    logic_.Button3Click();
}

void TForm3::ShowState() {
    Button1->setEnabled(logic_.Button1Enabled());
    Button2->setEnabled(logic_.Button2Enabled());
    MediaPlayer1->SetDeviceOpen(logic_.State() == sonatrix::RecorderState::Recording);
}

void TForm3::closeEvent(QCloseEvent* event) {
    if (logic_.FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

void TForm3::reject() {
    if (logic_.FormCloseQuery())
        QDialog::reject();
}
