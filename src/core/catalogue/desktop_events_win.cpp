// SPDX-License-Identifier: GPL-3.0-or-later
#include <array>

#include "catalogue/desktop_events.h"

namespace sonatrix {
namespace {

// The sound scheme's events under HKCU\AppEvents\Schemes\Apps\.Default.
constexpr std::array<DesktopEvent, 12> kEvents{{
    {"Notification.IM", "即时消息通知", 1},
    {"Notification.Default", "通知", 3},
    {"Notification.Mail", "新邮件通知", 9},
    {"Notification.Reminder", "日历提醒", -1},
    {"Notification.Looping.Call", "来电", 7},
    {"SystemAsterisk", "星号", 4},
    {"SystemExclamation", "感叹号", 4},
    {"SystemHand", "严重停止", 4},
    {"SystemNotification", "系统通知", 4},
    {".Default", "默认响声", 4},
    {"DeviceConnect", "设备连接", -1},
    {"DeviceDisconnect", "设备中断连接", -1},
}};

constexpr std::array<QQSoundEvent, 5> kThemeEvents{{
    {"msg.wav", "Notification.IM"},
    {"Global.wav", "Notification.Default"},
    {"system.wav", "SystemNotification"},
    {"call.wav", "Notification.Looping.Call"},
    {"ring.wav", "Notification.Looping.Call"},
}};

}  // namespace

std::span<const DesktopEvent> DesktopEvents() {
    return kEvents;
}

std::span<const QQSoundEvent> ThemeEvents() {
    return kThemeEvents;
}

}  // namespace sonatrix
