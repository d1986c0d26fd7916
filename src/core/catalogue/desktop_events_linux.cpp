// SPDX-License-Identifier: GPL-3.0-or-later
#include <array>

#include "catalogue/desktop_events.h"

namespace sonatrix {
namespace {

// The sound theme's names, as the freedesktop theme and libcanberra know them.
constexpr std::array<DesktopEvent, 17> kEvents{{
    {"message-new-instant", "收到即时消息", 1},
    {"message", "收到消息", 3},
    {"message-new-email", "收到新邮件", 9},
    {"phone-incoming-call", "来电", 7},
    {"service-login", "联系人上线", 2},
    {"service-logout", "联系人下线", -1},
    {"bell", "响铃", 4},
    {"complete", "完成", -1},
    {"dialog-information", "提示", 4},
    {"dialog-warning", "警告", 4},
    {"dialog-error", "错误", 4},
    {"window-attention", "窗口提醒", -1},
    {"device-added", "插入设备", -1},
    {"device-removed", "移除设备", -1},
    {"screen-capture", "截屏", -1},
    {"trash-empty", "清空回收站", -1},
    {"alarm-clock-elapsed", "闹钟", -1},
}};

constexpr std::array<QQSoundEvent, 5> kThemeEvents{{
    {"msg.wav", "message-new-instant"},
    {"Global.wav", "service-login"},
    {"system.wav", "dialog-information"},
    {"call.wav", "phone-incoming-call"},
    {"ring.wav", "phone-incoming-call"},
}};

}  // namespace

std::span<const DesktopEvent> DesktopEvents() {
    return kEvents;
}

std::span<const QQSoundEvent> ThemeEvents() {
    return kThemeEvents;
}

}  // namespace sonatrix
