// SPDX-License-Identifier: GPL-3.0-or-later
#include "program_chooser.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "dialog_button.h"
#include "display_text.h"
#include "window_font.h"

namespace sonatrix::gui {

ProgramChooser::ProgramChooser(std::vector<ProgramChoice> programs, QWidget* parent)
    : QDialog(parent), programs_(std::move(programs)) {
    setObjectName("ProgramChooser");
    setWindowTitle(QString::fromUtf8(kProgramChooserCaption));
    setAccessibleName(windowTitle());
    setFont(WindowFont());
    setFixedSize(457, 289);

    Label1 = new QLabel(QStringLiteral("请选择要更改声音的程序："), this);
    Label1->setObjectName("Label1");
    Label1->setGeometry(8, 8, 441, 17);
    Label1->setAccessibleName(Label1->text());

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName("ListBox1");
    ListBox1->setGeometry(8, 32, 441, 169);
    ListBox1->setAccessibleName(windowTitle());
    for (const ProgramChoice& program : programs_)
        ListBox1->addItem(DisplayText(program.name));

    // The file it names: two programs may share a name (two KDE programs).
    Label2 = new QLabel(this);
    Label2->setObjectName("Label2");
    Label2->setGeometry(8, 208, 441, 41);
    Label2->setWordWrap(true);
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label2->setTextInteractionFlags(Qt::TextSelectableByMouse);

    Button1 = DialogButton(this, "Button1", "确定", {288, 256, 75, 25});
    Button2 = DialogButton(this, "Button2", "取消", {374, 256, 75, 25});
    Button1->setDefault(true);

    connect(ListBox1, &QListWidget::itemSelectionChanged, this, &ProgramChooser::ShowSettingsFile);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &ProgramChooser::Confirm);
    connect(Button1, &QPushButton::clicked, this, &ProgramChooser::Confirm);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    if (ListBox1->count() > 0)
        ListBox1->setCurrentRow(0);
    ShowSettingsFile();
}

int ProgramChooser::Choose() {
    return exec() == QDialog::Accepted ? SelectedRow() : -1;
}

int ProgramChooser::SelectedRow() const {
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    return selected.isEmpty() ? -1 : ListBox1->row(selected.first());
}

void ProgramChooser::ShowSettingsFile() {
    const int row = SelectedRow();
    Label2->setText(row < 0 ? QString() : DisplayText(programs_[std::size_t(row)].settingsFile));
    Label2->setAccessibleName(Label2->text().isEmpty() ? QStringLiteral("设置文件")
                                                       : Label2->text());
}

void ProgramChooser::Confirm() {
    if (SelectedRow() >= 0)
        accept();
}

}  // namespace sonatrix::gui
