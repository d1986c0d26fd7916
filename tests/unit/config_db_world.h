// SPDX-License-Identifier: GPL-3.0-or-later
// A QQ installation inside a temporary Wine prefix (drive_c, system.reg,
// dosdevices/c: -> ../drive_c) with one account's Config.db.
#pragma once

#include <filesystem>
#include <string>

#include "replace_world.h"

namespace sonatrix::testing {

inline constexpr const char* kAccount = "12345";
inline constexpr const char* kQQInstall = "prefix/drive_c/Program Files/Tencent/QQ";
inline constexpr const char* kResetQuestion =
    "文件路径异常，是否删除config.db 文件来初始化qq设置？删除此文件并不会丢失聊天记录，qq在登陆时会"
    "重建此文件。请先退出qq程序，然后点击“确定”来删除此文件。";

class ConfigDbWorld : public ReplaceWorld {
  public:
    ConfigDbWorld() {
        std::filesystem::create_directories(At("prefix/drive_c"));
        std::filesystem::create_directories(At("prefix/dosdevices"));
        Put("prefix/system.reg", "WINE REGISTRY Version 2\n");
#ifndef _WIN32
        std::filesystem::create_directory_symlink("../drive_c", At("prefix/dosdevices/c:"));
#endif
        Target(std::string(kQQInstall) + "/sound", {"msg.wav"});
    }

    // How the client writes the folder `belowDriveC` ("QQsounds\\") into its
    // files: a Windows path, on drive C: of the prefix when run under Wine.
    std::string WindowsPath(const std::string& belowDriveC) const {
#ifdef _WIN32
        return At("prefix/drive_c").string() + "\\" + belowDriveC;
#else
        return "C:\\" + belowDriveC;
#endif
    }
    std::filesystem::path ConfigDb() const {
        return At(std::string(kQQInstall) + "/" + kAccount + "/Config.db");
    }
    std::string ConfigDbPath() const {
        return ConfigDb().string();
    }
    void WriteConfigDb(const std::string& bytes) {
        WriteFile(ConfigDb(), bytes);
    }
};

}  // namespace sonatrix::testing
