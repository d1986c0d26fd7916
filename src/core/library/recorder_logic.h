// SPDX-License-Identifier: GPL-3.0-or-later
// The recorder window (TForm3): starts and stops a recording into the
// library category "我的录音" and refuses to close while recording.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace sonatrix {

class AudioCapture;
class FileSystem;
class LocalTimeText;
class MainModel;

inline constexpr const char* kDeviceInitFailed = "媒体设备初始化失败！";
inline constexpr const char* kRecordingSaved = "声音录制完毕，保存在“我的录音”分类下。!";
inline constexpr const char* kSaveFailed = "保存声音文件出错!";
inline constexpr const char* kStopFirst = "请先停止录音。";
inline constexpr const char* kNoSourceSettings =
    "没有找到录音来源设置程序，请在系统的声音设置中选择录音设备。";

enum class RecorderState { Idle, Recording };

// The decimal digits of `text`, in their order.
std::string DigitsOf(std::string_view text);

// The name for a recording started at `digits` in `folder` (which ends in a
// separator) that overwrites nothing: digits + ".wav", or, when that name
// or a numbered one is taken, digits + "-N.wav" with N one more than the
// highest number in use (at least 2), so later recordings sort by number.
std::string FreeRecordingName(FileSystem& files, const std::string& folder,
                              const std::string& digits);

class RecorderLogic {
  public:
    RecorderLogic(MainModel& model, AudioCapture& capture, LocalTimeText& clock);

    // "开始录音": a header-only file, then the capture into it.
    void Button1Click();
    // "停止录音": stops and finishes the file, and says how it went.
    void Button2Click();
    // "选择录音来源": the system's recording-source settings.
    void Button3Click();
    // False (after a warning) while recording: the window stays open.
    bool FormCloseQuery();

    RecorderState State() const { return state_; }
    bool Button1Enabled() const { return state_ == RecorderState::Idle; }
    bool Button2Enabled() const { return state_ == RecorderState::Recording; }
    // The file being recorded, or the last one started.
    const std::string& RecordingFile() const { return file_; }
    AudioCapture& Capture() { return capture_; }

  private:
    MainModel& model_;
    AudioCapture& capture_;
    LocalTimeText& clock_;
    RecorderState state_ = RecorderState::Idle;
    std::string file_;
};

}  // namespace sonatrix
