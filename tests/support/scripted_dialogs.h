// SPDX-License-Identifier: GPL-3.0-or-later
// A dialog layer for tests: records every dialog shown, with its form,
// caption, text and buttons, and answers from a queue the test fills.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/dialogs.h"

namespace sonatrix::testing {

enum class DialogForm {
    MessageDlg,
    PlainMessage,
    MessageBox,
    InputQuery,
    AppError,
    BrowseForFolder,
    OpenFile,
    Picker,
    ProgramChooser,
    Recorder,
    About,
};

struct ShownDialog {
    DialogForm form;
    std::string caption;   // MessageDlg: "Warning", "Error", "Information" or "Confirm"
    std::string text;      // the message, prompt, title or filter
    unsigned buttons = 0;  // MessageDlg buttons, MessageBox flags, InputQuery max length
};

// One queued answer. Which field counts depends on the dialog it answers.
struct Answer {
    DlgResult result = DlgResult::OK;  // MessageDlg
    int id = mb::kIdOK;                // MessageBox
    // InputQuery, BrowseForFolder, OpenFile, Picker; ProgramChooser: the
    // name of the program to choose
    std::optional<std::string> text;
    std::function<void()> action;  // run while the dialog is "open" (e.g. a timer tick)
};

// Called when a ScriptedDialogs is destroyed while answers that its test
// queued were never taken: the script no longer matches what the program
// asks. Each test framework installs one that fails the running test; the
// default prints the count and aborts.
using LeftoverAnswersHandler = void (*)(std::size_t count);
void SetLeftoverAnswersHandler(LeftoverAnswersHandler handler);

class ScriptedDialogs : public Dialogs {
  public:
    ScriptedDialogs() = default;
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;
    ~ScriptedDialogs() override;

    // Queue answers in the order the dialogs will be shown.
    ScriptedDialogs& Then(Answer answer);
    ScriptedDialogs& ThenResult(DlgResult result) { return Then({result, mb::kIdOK, {}, {}}); }
    ScriptedDialogs& ThenId(int id) { return Then({DlgResult::OK, id, {}, {}}); }
    ScriptedDialogs& ThenText(std::optional<std::string> text) {
        return Then({DlgResult::OK, mb::kIdOK, std::move(text), {}});
    }

    std::vector<ShownDialog> shown;
    // Runs as each dialog is shown, while it is "open" (one-button dialogs
    // take no answer from the queue, so this is how a test acts during them).
    std::function<void(const ShownDialog&)> onShow;
    int unanswered = 0;    // dialogs shown with no answer left in the queue
    int busyCursorOn = 0;  // times the hourglass was set
    bool busy = false;

    std::size_t Pending() const { return answers_.size(); }
    // The texts of the dialogs shown, in order, each after "<caption>:"
    // when `captions`.
    std::vector<std::string> Texts(bool captions = true) const;

    DlgResult MessageDlg(const std::string& text, DlgType type, unsigned buttons) override;
    void ShowMessage(const std::string& text) override;
    int MessageBox(const std::string& text, const std::string& caption, unsigned flags) override;
    std::string InputQuery(const std::string& caption, const std::string& prompt,
                           int maxLength) override;
    void ShowAppError(const std::string& text) override;
    std::optional<std::string> BrowseForFolder(const std::string& title) override;
    std::optional<std::string> OpenFile(const std::string& filterName,
                                        const std::string& pattern) override;
    std::string ShowPicker() override;
    // Records the names offered, one to a line, as the dialog's text.
    int ChooseProgram(const std::vector<ProgramChoice>& programs) override;
    void ShowRecorder() override;
    void ShowAbout() override;
    void SetBusyCursor(bool on) override;

  private:
    void Record(ShownDialog dialog);
    // The next answer, or the default one (Cancel, No, nothing) when the
    // queue is empty.
    Answer Next();

    std::deque<Answer> answers_;
};

}  // namespace sonatrix::testing
