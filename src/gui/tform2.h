// SPDX-License-Identifier: GPL-3.0-or-later
// The program picker window "显示用户进程": lists the running programs and
// lets the user choose one, an executable on disk or a folder.
#pragma once

#include <QDialog>
#include <string>

#include "discovery/picker_logic.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace sonatrix {
struct Services;
}

class TForm2 : public QDialog {
    Q_OBJECT

  public:
    // Uses the files, the processes and the dialogs of `services`; they must
    // outlive the window.
    explicit TForm2(const sonatrix::Services& services, QWidget* parent = nullptr);

    // Shows the picker modally; its PickedPath: the confirmed choice, or
    // empty when the window was closed any other way.
    std::string Pick();
    const std::string& PickedPath() const { return logic_.PickedPath; }

    void done(int result) override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void FormShow();
    void Button4Click();
    void ListBox1Click();
    void ListBox1DblClick();
    void Button1Click();
    void Button5Click();
    void Button2Click();
    void Button3Click();
    // The selected line of ListBox1; -1 when none is (Ctrl+click takes the
    // selection away while the line stays current).
    int SelectedRow() const;
    // Label1 and ListBox1 from the logic.
    void ShowChoice();
    void ShowProcessList();

    sonatrix::PickerLogic logic_;
    QListWidget* ListBox1;
    QLabel* Label1;
    QLabel* Label2;
    QPushButton* Button4;
    QPushButton* Button1;
    QPushButton* Button5;
    QPushButton* Button2;
    QPushButton* Button3;
};
