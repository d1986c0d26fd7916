// SPDX-License-Identifier: GPL-3.0-or-later
// The dialog layer on Qt: the four dialog forms, the standard error box,
// the folder and file browsers, and the hooks through which the picker and
// recorder windows plug in.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

#include "model/dialogs.h"

namespace sonatrix::gui {

class QtDialogs : public Dialogs {
  public:
    // The owner of the platform message boxes and the About box, and of the
    // browsers that the main window asks for.
    void SetOwner(QWidget* owner) { owner_ = owner; }
    void SetPicker(std::function<std::string()> showPicker) { picker_ = std::move(showPicker); }
    void SetRecorder(std::function<void()> showRecorder) { recorder_ = std::move(showRecorder); }

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
    int ChooseProgram(const std::vector<ProgramChoice>& programs) override;
    void ShowRecorder() override;
    void ShowAbout() override;
    void SetBusyCursor(bool busy) override;

  private:
    // The browsers open over the window that asked for them: the modal
    // window in front (the picker asks for its own), else the owner.
    QWidget* AskingWindow() const;

    QPointer<QWidget> owner_;
    std::function<std::string()> picker_;
    std::function<void()> recorder_;
    bool busy_ = false;
};

}  // namespace sonatrix::gui
