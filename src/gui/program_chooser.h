// SPDX-License-Identifier: GPL-3.0-or-later
// The small chooser "选择程序" of the sixth kind of target: the programs
// that name their sounds in their own settings, shown by name as the
// picker shows programs, with the settings file of the selected one.
#pragma once

#include <QDialog>
#include <vector>

#include "model/dialogs.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace sonatrix::gui {

class ProgramChooser : public QDialog {
    Q_OBJECT

  public:
    ProgramChooser(std::vector<ProgramChoice> programs, QWidget* parent = nullptr);

    // Shows the chooser modally: the index of the program chosen with
    // "确定" or a double-click, -1 when it closed any other way.
    int Choose();

  private:
    int SelectedRow() const;
    void ShowSettingsFile();
    void Confirm();

    std::vector<ProgramChoice> programs_;
    QLabel* Label1;
    QListWidget* ListBox1;
    QLabel* Label2;
    QPushButton* Button1;
    QPushButton* Button2;
};

}  // namespace sonatrix::gui
