// SPDX-License-Identifier: GPL-3.0-or-later
#include "scripted_dialogs.h"

#include <cstdio>
#include <cstdlib>

namespace sonatrix::testing {
namespace {

void AbortOnLeftoverAnswers(std::size_t count) {
    std::fprintf(stderr, "%zu scripted dialog answers were queued but never taken\n", count);
    std::abort();
}

LeftoverAnswersHandler leftoverHandler = AbortOnLeftoverAnswers;

}  // namespace

void SetLeftoverAnswersHandler(LeftoverAnswersHandler handler) {
    leftoverHandler = handler ? handler : AbortOnLeftoverAnswers;
}

ScriptedDialogs::~ScriptedDialogs() {
    if (!answers_.empty())
        leftoverHandler(answers_.size());
}

ScriptedDialogs& ScriptedDialogs::Then(Answer answer) {
    answers_.push_back(std::move(answer));
    return *this;
}

void ScriptedDialogs::Record(ShownDialog dialog) {
    shown.push_back(std::move(dialog));
    if (onShow)
        onShow(shown.back());
}

Answer ScriptedDialogs::Next() {
    if (answers_.empty()) {
        ++unanswered;
        return Answer{DlgResult::Cancel, mb::kIdCancel, std::nullopt, {}};
    }
    Answer answer = std::move(answers_.front());
    answers_.pop_front();
    if (answer.action)
        answer.action();
    return answer;
}

DlgResult ScriptedDialogs::MessageDlg(const std::string& text, DlgType type, unsigned buttons) {
    Record({DialogForm::MessageDlg, MessageDlgCaption(type), text, buttons});
    // A dialog with one button can only be closed with it: it takes no answer.
    if (buttons == kDlgOK)
        return DlgResult::OK;
    return Next().result;
}

void ScriptedDialogs::ShowMessage(const std::string& text) {
    Record({DialogForm::PlainMessage, kAppTitle, text, kDlgOK});
}

int ScriptedDialogs::MessageBox(const std::string& text, const std::string& caption,
                                unsigned flags) {
    Record({DialogForm::MessageBox, caption, text, flags});
    if ((flags & 0xF) == mb::kOK)
        return mb::kIdOK;
    return Next().id;
}

std::string ScriptedDialogs::InputQuery(const std::string& caption, const std::string& prompt,
                                        int maxLength) {
    Record({DialogForm::InputQuery, caption, prompt, static_cast<unsigned>(maxLength)});
    auto text = Next().text.value_or("");
    if (static_cast<int>(text.size()) > maxLength)
        text.resize(maxLength);
    return text;
}

void ScriptedDialogs::ShowAppError(const std::string& text) {
    Record({DialogForm::AppError, kAppTitle, text, kDlgOK});
}

std::optional<std::string> ScriptedDialogs::BrowseForFolder(const std::string& title) {
    Record({DialogForm::BrowseForFolder, "", title, 0});
    return Next().text;
}

std::optional<std::string> ScriptedDialogs::OpenFile(const std::string& filterName,
                                                     const std::string& pattern) {
    Record({DialogForm::OpenFile, "", filterName + "|" + pattern, 0});
    return Next().text;
}

std::string ScriptedDialogs::ShowPicker() {
    Record({DialogForm::Picker, "显示用户进程", "", 0});
    return Next().text.value_or("");
}

int ScriptedDialogs::ChooseProgram(const std::vector<ProgramChoice>& programs) {
    std::string names;
    for (const ProgramChoice& program : programs)
        names += (names.empty() ? "" : "\n") + program.name;
    Record({DialogForm::ProgramChooser, kProgramChooserCaption, names, 0});
    const std::optional<std::string> chosen = Next().text;
    for (std::size_t i = 0; chosen && i < programs.size(); ++i) {
        if (programs[i].name == *chosen)
            return int(i);
    }
    return -1;
}

void ScriptedDialogs::ShowRecorder() {
    Record({DialogForm::Recorder, "录音", "", 0});
    Next();
}

void ScriptedDialogs::ShowAbout() {
    Record({DialogForm::About, kAppTitle, "", kDlgOK});
}

void ScriptedDialogs::SetBusyCursor(bool on) {
    busy = on;
    if (on)
        ++busyCursorOn;
}

std::vector<std::string> ScriptedDialogs::Texts(bool captions) const {
    std::vector<std::string> texts;
    for (const ShownDialog& dialog : shown)
        texts.push_back(captions ? dialog.caption + ":" + dialog.text : dialog.text);
    return texts;
}

}  // namespace sonatrix::testing
