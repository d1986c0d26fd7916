// SPDX-License-Identifier: GPL-3.0-or-later
// Every dialog the program shows, in the four forms it uses, plus the
// application's standard error box and the modal windows it opens. The
// windows give a Qt implementation; tests give a scripted one.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace sonatrix {

// The application's message dialog of a kind: the kind's icon and caption
// ("Warning", "Error", "Information", "Confirm").
enum class DlgType { Warning, Error, Information, Confirm };

// Buttons of the message dialog, combined with |.
enum DlgButtons : unsigned {
    kDlgOK = 1u << 0,      // "OK"
    kDlgCancel = 1u << 1,  // "Cancel"
    kDlgYes = 1u << 2,     // "&Yes"
    kDlgNo = 1u << 3,      // "&No"
    kDlgSkip = 1u << 4,    // "跳过这次更改": undo passes over the change it asks about
};

inline constexpr const char* kDlgSkipCaption = "跳过这次更改";

// What the user answered; closing the dialog counts as Cancel.
enum class DlgResult { OK, Cancel, Yes, No, Skip };

// Flags and results of the platform's message box, with their Win32 values.
namespace mb {
inline constexpr unsigned kOK = 0x0;
inline constexpr unsigned kOKCancel = 0x1;
inline constexpr unsigned kYesNo = 0x4;
inline constexpr unsigned kIconError = 0x10;
inline constexpr unsigned kIconQuestion = 0x20;
inline constexpr unsigned kIconWarning = 0x30;
inline constexpr unsigned kIconInformation = 0x40;
inline constexpr int kIdOK = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;
}  // namespace mb

inline constexpr const char* kAppTitle = "Sonatrix2009";

// One line of the chooser of programs that name their sounds in their own
// settings: the program as it is shown, and the settings file it stands for.
struct ProgramChoice {
    std::string name;
    std::string settingsFile;
};

inline constexpr const char* kProgramChooserCaption = "选择程序";

class Dialogs {
  public:
    virtual ~Dialogs() = default;

    // (1) The application's message dialog, centred on the screen.
    virtual DlgResult MessageDlg(const std::string& text, DlgType type, unsigned buttons) = 0;

    // (2) The plain message: caption "Sonatrix2009", no icon, one "OK".
    virtual void ShowMessage(const std::string& text) = 0;

    // (3) The platform's message box with the caption and flags given;
    // returns the id of the button pressed (mb::kIdOK ...).
    virtual int MessageBox(const std::string& text, const std::string& caption, unsigned flags) = 0;

    // (4) The text-input dialog: one edit field that starts empty, "OK" and
    // "Cancel". Returns the text on "OK", an empty text otherwise.
    virtual std::string InputQuery(const std::string& caption, const std::string& prompt,
                                   int maxLength) = 0;

    // The application's standard error box: `text` (already ending as
    // AppErrorText leaves it), caption "Sonatrix2009", error icon, one "OK".
    virtual void ShowAppError(const std::string& text) = 0;

    // The folder browser; the chosen folder without a trailing separator,
    // nothing when cancelled.
    virtual std::optional<std::string> BrowseForFolder(const std::string& title) = 0;

    // The file-open dialog with one filter (its name and pattern); the
    // chosen file, nothing when cancelled.
    virtual std::optional<std::string> OpenFile(const std::string& filterName,
                                                const std::string& pattern) = 0;

    // The program picker shown modally; returns its PickedPath (empty unless
    // the user confirmed a pick).
    virtual std::string ShowPicker() = 0;

    // The chooser of `programs` shown modally; the index of the one chosen,
    // -1 when it closed without a choice.
    virtual int ChooseProgram(const std::vector<ProgramChoice>& programs) = 0;

    // The recorder shown modally; returns when it has closed.
    virtual void ShowRecorder() = 0;

    // The About box, modal; returns when it has closed.
    virtual void ShowAbout() = 0;

    // The hourglass cursor for the whole application.
    virtual void SetBusyCursor(bool busy) = 0;
};

// The caption of the message dialog of a kind.
const char* MessageDlgCaption(DlgType type);

// The text the standard error box shows: a "." is added when the last
// character sorts after ".".
std::string AppErrorText(const std::string& message);

// Shows `message` in the standard error box; this is how an error raised by
// the runtime ends a command.
void ReportAppError(Dialogs& dialogs, const std::string& message);

}  // namespace sonatrix
