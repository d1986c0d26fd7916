// SPDX-License-Identifier: GPL-3.0-or-later
// Services that record what the program asked of them, for what a test
// cannot observe otherwise (a sound started, a browser started).
#pragma once

#include <string>
#include <vector>

#include "platform/shell.h"
#include "platform/sound_player.h"

namespace sonatrix::testing {

class RecordingPlayer : public SoundPlayer {
  public:
    void PlayAsync(const std::string& path) override { played.push_back(path); }
    std::vector<std::string> played;
};

class RecordingShell : public Shell {
  public:
    struct Call {
        std::string how;  // "default", "browser" or "recording-settings"
        std::string argument;
    };
    void OpenWithDefaultHandler(const std::string& address) override {
        calls.push_back({"default", address});
    }
    void StartBrowser(const std::string& argument) override {
        calls.push_back({"browser", argument});
    }
    bool StartRecordingSourceSettings() override {
        calls.push_back({"recording-settings", ""});
        return hasRecordingSettings;
    }
    std::vector<Call> calls;
    bool hasRecordingSettings = true;
};

}  // namespace sonatrix::testing
