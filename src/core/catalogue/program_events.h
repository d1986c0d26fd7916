// SPDX-License-Identifier: GPL-3.0-or-later
// The sound events of the programs that name their sounds in their own
// settings and whose events are known in advance: Thunderbird's and
// Pidgin's. (A KDE program's come from its own notifyrc.)
#pragma once

#include <array>

namespace sonatrix {

struct ProgramEventInfo {
    const char* id;         // as the program's settings name it: "biff", "im_recv"
    const char* name;       // as the list shows it
    bool enabledByDefault;  // whether it sounds before the user changes anything
};

inline constexpr const char* kThunderbirdName = "Thunderbird";
inline constexpr const char* kPidginName = "Pidgin";

// "mail.<id>.play_sound" with ".type" and ".url"; the defaults are
// Thunderbird's own (mailnews.js, all-thunderbird.js).
inline constexpr std::array<ProgramEventInfo, 3> kThunderbirdEvents{{
    {"biff", "新邮件", true},
    {"chat", "聊天消息", true},
    {"feed", "订阅更新", false},
}};

// "/pidgin/sound/file/<id>" and "/pidgin/sound/enabled/<id>", in the order
// of Pidgin's own list (gtksound.c), with its defaults. Its buddy pounce
// sound, which Pidgin's list does not show, is left out.
inline constexpr std::array<ProgramEventInfo, 11> kPidginEvents{{
    {"login", "好友上线", true},
    {"logout", "好友下线", true},
    {"im_recv", "收到消息", true},
    {"first_im_recv", "收到消息并开始对话", false},
    {"send_im", "发送消息", true},
    {"join_chat", "有人进入聊天室", false},
    {"left_chat", "有人离开聊天室", false},
    {"send_chat_msg", "您在聊天室中发言", false},
    {"chat_msg_recv", "其他人在聊天室中发言", false},
    {"nick_said", "有人在聊天室中提到您的名字", false},
    {"got_attention", "收到提醒", true},
}};

// Which of a program's events a preset theme's QQ sound goes to: a theme
// writes each event listed here that the program has, from the QQ sound
// that plays on the same occasion. KDE's programs name their events
// themselves; these are the names that KDE's messengers and mail
// programs use for the same occasions.
struct QQSoundProgramEvent {
    const char* qqSound;
    const char* eventId;
};
inline constexpr std::array<QQSoundProgramEvent, 3> kThunderbirdThemeEvents{{
    {"msg.wav", "biff"},
    {"msg.wav", "chat"},
    {"system.wav", "feed"},
}};
inline constexpr std::array<QQSoundProgramEvent, 7> kPidginThemeEvents{{
    {"Global.wav", "login"},
    {"msg.wav", "im_recv"},
    {"msg.wav", "first_im_recv"},
    {"msg.wav", "chat_msg_recv"},
    {"system.wav", "nick_said"},
    {"system.wav", "got_attention"},
    {"folder.wav", "join_chat"},
}};
inline constexpr std::array<QQSoundProgramEvent, 9> kKdeThemeEvents{{
    {"msg.wav", "message"},
    {"msg.wav", "queryMessage"},
    {"msg.wav", "new-mail-arrived"},
    {"msg.wav", "newMessage"},
    {"system.wav", "highlight"},
    {"system.wav", "nick"},
    {"Global.wav", "contactOnline"},
    {"call.wav", "incomingCall"},
    {"ring.wav", "callRinging"},
}};

}  // namespace sonatrix
