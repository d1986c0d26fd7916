// SPDX-License-Identifier: GPL-3.0-or-later
#include "media_player_bar.h"

#include <QPainter>
#include <QPixmap>
#include <QToolButton>

#include "library/audio_capture.h"

namespace {

struct ButtonLook {
    const char* objectName;
    const char* accessibleName;
};

// In the order of the media player's own bar.
constexpr ButtonLook kLooks[MediaPlayerBar::kButtonCount] = {
    {"btPlay", "播放"},     {"btPause", "暂停"},  {"btStop", "停止"},
    {"btNext", "下一个"},   {"btPrev", "上一个"}, {"btStep", "前进一步"},
    {"btBack", "后退一步"}, {"btRecord", "录音"}, {"btEject", "弹出"},
};

void Triangle(QPainter& painter, QPointF a, QPointF b, QPointF c) {
    const QPointF corners[] = {a, b, c};
    painter.drawPolygon(corners, 3);
}

// The bar's pictures, drawn rather than taken from the style: the style's
// media icons are image files, and reading the first one loads every image
// format plugin while the program starts.
QIcon DrawnIcon(MediaPlayerBar::Button button) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 40, 40));
    switch (button) {
        case MediaPlayerBar::Play:
            Triangle(painter, {4, 2}, {13, 8}, {4, 14});
            break;
        case MediaPlayerBar::Pause:
            painter.drawRect(QRectF(3, 3, 4, 10));
            painter.drawRect(QRectF(9, 3, 4, 10));
            break;
        case MediaPlayerBar::Stop:
            painter.drawRect(QRectF(3, 3, 10, 10));
            break;
        case MediaPlayerBar::Next:
            Triangle(painter, {3, 3}, {10, 8}, {3, 13});
            painter.drawRect(QRectF(11, 3, 2, 10));
            break;
        case MediaPlayerBar::Prev:
            painter.drawRect(QRectF(3, 3, 2, 10));
            Triangle(painter, {13, 3}, {6, 8}, {13, 13});
            break;
        case MediaPlayerBar::Step:
            Triangle(painter, {2, 4}, {8, 8}, {2, 12});
            Triangle(painter, {8, 4}, {14, 8}, {8, 12});
            break;
        case MediaPlayerBar::Back:
            Triangle(painter, {14, 4}, {8, 8}, {14, 12});
            Triangle(painter, {8, 4}, {2, 8}, {8, 12});
            break;
        case MediaPlayerBar::Record:
            painter.setBrush(QColor(200, 0, 0));
            painter.drawEllipse(QRectF(3, 3, 10, 10));
            break;
        case MediaPlayerBar::Eject:
        case MediaPlayerBar::kButtonCount:
            Triangle(painter, {8, 3}, {14, 10}, {2, 10});
            painter.drawRect(QRectF(2, 12, 12, 2));
            break;
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
        button->setIcon(DrawnIcon(Button(i)));
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
