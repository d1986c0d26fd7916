#include "media_player_bar.h"

#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QToolButton>

#include "library/audio_capture.h"

namespace {

struct ButtonLook {
    const char* objectName;
    const char* accessibleName;
    QStyle::StandardPixmap icon;  // SP_CustomBase: drawn here
};

// In the order of the media player's own bar.
constexpr ButtonLook kLooks[MediaPlayerBar::kButtonCount] = {
    {"btPlay", "播放", QStyle::SP_MediaPlay},
    {"btPause", "暂停", QStyle::SP_MediaPause},
    {"btStop", "停止", QStyle::SP_MediaStop},
    {"btNext", "下一个", QStyle::SP_MediaSkipForward},
    {"btPrev", "上一个", QStyle::SP_MediaSkipBackward},
    {"btStep", "前进一步", QStyle::SP_MediaSeekForward},
    {"btBack", "后退一步", QStyle::SP_MediaSeekBackward},
    {"btRecord", "录音", QStyle::SP_CustomBase},
    {"btEject", "弹出", QStyle::SP_CustomBase},
};

QIcon DrawnIcon(MediaPlayerBar::Button button) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    if (button == MediaPlayerBar::Record) {
        painter.setBrush(QColor(200, 0, 0));
        painter.drawEllipse(QRectF(3, 3, 10, 10));
    } else {
        painter.setBrush(QColor(40, 40, 40));
        const QPointF triangle[] = {{8, 3}, {14, 10}, {2, 10}};
        painter.drawPolygon(triangle, 3);
        painter.drawRect(QRectF(2, 12, 12, 2));
    }
    return QIcon(pixmap);
}

}  // namespace

MediaPlayerBar::MediaPlayerBar(sonatrix::AudioCapture& capture, QWidget* parent)
    : QWidget(parent), capture_(capture) {
    setAccessibleName("媒体播放器");
    constexpr int kButtonWidth = 28;  // nine of them fill the bar's 253 pixels
    for (int i = 0; i < kButtonCount; ++i) {
        const ButtonLook& look = kLooks[i];
        auto* button = new QToolButton(this);
        button->setObjectName(look.objectName);
        button->setAccessibleName(look.accessibleName);
        button->setToolTip(look.accessibleName);
        button->setIcon(look.icon == QStyle::SP_CustomBase ? DrawnIcon(Button(i))
                                                           : style()->standardIcon(look.icon));
        button->setGeometry(i * kButtonWidth, 0, kButtonWidth + (i == kButtonCount - 1 ? 1 : 0),
                            30);
        button->setEnabled(false);
        connect(button, &QToolButton::clicked, this, [this, i] { Pressed(Button(i)); });
        buttons_[i] = button;
    }
}

void MediaPlayerBar::SetDeviceOpen(bool open) {
    for (QToolButton* button : buttons_)
        button->setEnabled(open);
}

void MediaPlayerBar::Pressed(Button button) {
    switch (button) {
        case Play:
        case Record:
            capture_.Resume();
            break;
        case Pause:
        case Stop:
            // Halts the device without closing it: "停止录音" still saves.
            capture_.Suspend();
            break;
        case Next:
        case Prev:
        case Step:
        case Back:
        case Eject:
            // A capture stream has no position to move and no medium to eject.
            break;
        case kButtonCount:
            break;
    }
}
