// SPDX-License-Identifier: GPL-3.0-or-later
#include "tform2.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>

#include "dialog_button.h"
#include "display_text.h"
#include "model/main_model.h"
#include "note_label.h"
#include "window_font.h"

namespace {

using sonatrix::gui::DialogButton;
using sonatrix::gui::DisplayText;

QFont FontOfSize(const QFont& base, int pixels) {
    QFont font = base;
    font.setPixelSize(pixels);
    return font;
}

}  // namespace

TForm2::TForm2(const sonatrix::Services& services, QWidget* parent)
    : QDialog(parent), logic_(services.files, services.processes, services.dialogs) {
    setObjectName("Form2");
    setWindowTitle(QString::fromUtf8(sonatrix::kPickerCaption));
    setAccessibleName(windowTitle());
    const QFont font = sonatrix::gui::WindowFont();
    setFont(font);
    resize(627, 467);
    move(192, 107);

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName("ListBox1");
    ListBox1->setGeometry(8, 8, 489, 257);
    ListBox1->setAccessibleName(windowTitle());

    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    Label1->setGeometry(8, 288, 577, 17);
    Label1->setFont(FontOfSize(font, 16));

    Label2 = new sonatrix::gui::NoteLabel(QString::fromUtf8(sonatrix::kPickerNote), this);
    Label2->setObjectName("Label2");
    Label2->setGeometry(8, 320, 585, 33);
    Label2->setFont(FontOfSize(font, 16));
    Label2->setWordWrap(true);
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette red = Label2->palette();
    red.setColor(QPalette::WindowText, QColor(255, 0, 0));
    Label2->setPalette(red);
    Label2->setAccessibleName(Label2->text());

    Button4 = DialogButton(this, "Button4", "刷新", {504, 160, 105, 25});
    Button1 = DialogButton(this, "Button1", "浏览程序……", {504, 200, 105, 25});
    Button5 = DialogButton(this, "Button5", "浏览文件夹……", {504, 240, 105, 25});
    Button2 = DialogButton(this, "Button2", "确定", {64, 376, 75, 25});
    Button3 = DialogButton(this, "Button3", "取消", {224, 376, 75, 25});

    // A click on the line that is already selected changes no selection but
    // must still make it the choice again (after a browse chose another).
    connect(ListBox1, &QListWidget::itemSelectionChanged, this, &TForm2::ListBox1Click);
    connect(ListBox1, &QListWidget::itemClicked, this, &TForm2::ListBox1Click);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &TForm2::ListBox1DblClick);
    connect(Button4, &QPushButton::clicked, this, &TForm2::Button4Click);
    connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
    connect(Button5, &QPushButton::clicked, this, &TForm2::Button5Click);
    connect(Button2, &QPushButton::clicked, this, &TForm2::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm2::Button3Click);
    ShowChoice();
}

std::string TForm2::Pick() {
    exec();
    return logic_.PickedPath;
}

void TForm2::done(int result) {
    // The close box and Escape end here as well as "取消".
    if (result != QDialog::Accepted)
        logic_.ClosedWithoutOK();
    QDialog::done(result);
}

void TForm2::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TForm2::FormShow() {
    logic_.FormShow();
    ShowProcessList();
    ShowChoice();
}

void TForm2::Button4Click() {
    FormShow();
}

int TForm2::SelectedRow() const {
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    return selected.isEmpty() ? -1 : ListBox1->row(selected.first());
}

void TForm2::ListBox1Click() {
    logic_.ListBox1Click(SelectedRow());
    ShowChoice();
}

void TForm2::ListBox1DblClick() {
    const bool confirmed = logic_.ListBox1DblClick(SelectedRow());
    ShowChoice();
    if (confirmed)
        accept();
}

void TForm2::Button1Click() {
    logic_.Button1Click();
    ShowChoice();
}

void TForm2::Button5Click() {
    logic_.Button5Click();
    ShowChoice();
}

void TForm2::Button2Click() {
    const bool confirmed = logic_.Button2Click();
    ShowChoice();
    if (confirmed)
        accept();
}

void TForm2::Button3Click() {
    logic_.Button3Click();
    reject();
}

void TForm2::ShowChoice() {
    Label1->setText(DisplayText(logic_.Choice));
    Label1->setAccessibleName(Label1->text().isEmpty() ? QStringLiteral("选中的程序")
                                                       : Label1->text());
}

void TForm2::ShowProcessList() {
    // Filling the list must not count as the user's click.
    const QSignalBlocker quiet(ListBox1);
    ListBox1->clear();
    for (const auto& line : logic_.ProcessList)
        ListBox1->addItem(DisplayText(line));
}
