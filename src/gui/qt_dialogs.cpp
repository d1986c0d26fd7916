// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_dialogs.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "display_text.h"
#include "program_chooser.h"

#ifndef SONATRIX_VERSION
#define SONATRIX_VERSION "1.0.0"
#endif

namespace sonatrix::gui {
namespace {

void CentreOnScreen(QWidget& dialog) {
    dialog.adjustSize();
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = dialog.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    dialog.move(frame.topLeft());
}

QMessageBox::Icon IconOfKind(DlgType type) {
    switch (type) {
        case DlgType::Warning:
            return QMessageBox::Warning;
        case DlgType::Error:
            return QMessageBox::Critical;
        case DlgType::Information:
            return QMessageBox::Information;
        case DlgType::Confirm:
            return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::Icon IconOfFlags(unsigned flags) {
    switch (flags & 0xF0u) {
        case mb::kIconError:
            return QMessageBox::Critical;
        case mb::kIconQuestion:
            return QMessageBox::Question;
        case mb::kIconWarning:
            return QMessageBox::Warning;
        case mb::kIconInformation:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

// A one-button box ("OK") with the application title as caption.
void ShowOkBox(QWidget* owner, const std::string& text, QMessageBox::Icon icon) {
    QMessageBox box(icon, QString::fromUtf8(kAppTitle), DisplayText(text), QMessageBox::NoButton,
                    owner);
    box.setEscapeButton(box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole));
    box.exec();
}

}  // namespace

DlgResult QtDialogs::MessageDlg(const std::string& text, DlgType type, unsigned buttons) {
    QMessageBox box(IconOfKind(type), QString::fromUtf8(MessageDlgCaption(type)),
                    DisplayText(text));
    struct Choice {
        unsigned flag;
        const char* caption;
        DlgResult result;
        QMessageBox::ButtonRole role;
    };
    static constexpr Choice kChoices[] = {
        {kDlgYes, "&Yes", DlgResult::Yes, QMessageBox::YesRole},
        {kDlgNo, "&No", DlgResult::No, QMessageBox::NoRole},
        {kDlgOK, "OK", DlgResult::OK, QMessageBox::AcceptRole},
        {kDlgSkip, kDlgSkipCaption, DlgResult::Skip, QMessageBox::DestructiveRole},
        {kDlgCancel, "Cancel", DlgResult::Cancel, QMessageBox::RejectRole}};
    std::vector<std::pair<QAbstractButton*, DlgResult>> added;
    for (const Choice& choice : kChoices) {
        if (buttons & choice.flag)
            added.emplace_back(box.addButton(QString::fromUtf8(choice.caption), choice.role),
                               choice.result);
    }
    // Closing counts as Cancel even when Cancel is not offered: an invisible
    // Cancel takes the close.
    if (!(buttons & kDlgCancel)) {
        QAbstractButton* closer = box.addButton(QStringLiteral("Cancel"), QMessageBox::RejectRole);
        closer->hide();
        box.setEscapeButton(closer);
    }
    CentreOnScreen(box);
    box.exec();
    for (const auto& [button, result] : added) {
        if (box.clickedButton() == button)
            return result;
    }
    return DlgResult::Cancel;  // closed
}

void QtDialogs::ShowMessage(const std::string& text) {
    ShowOkBox(owner_, text, QMessageBox::NoIcon);
}

int QtDialogs::MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
    QMessageBox box(IconOfFlags(flags), DisplayText(caption), DisplayText(text),
                    QMessageBox::NoButton, owner_);
    std::vector<std::pair<QAbstractButton*, int>> added;
    auto add = [&](const char* label, int id, QMessageBox::ButtonRole role) {
        added.emplace_back(box.addButton(QString::fromUtf8(label), role), id);
    };
    int closedId = mb::kIdOK;
    switch (flags & 0xFu) {
        case mb::kOKCancel:
            add("OK", mb::kIdOK, QMessageBox::AcceptRole);
            add("Cancel", mb::kIdCancel, QMessageBox::RejectRole);
            closedId = mb::kIdCancel;
            break;
        case mb::kYesNo:
            add("&Yes", mb::kIdYes, QMessageBox::YesRole);
            add("&No", mb::kIdNo, QMessageBox::NoRole);
            closedId = mb::kIdNo;
            break;
        default:
            add("OK", mb::kIdOK, QMessageBox::AcceptRole);
            break;
    }
    // Closing answers Cancel, or No where there is no Cancel.
    box.setEscapeButton(added.back().first);
    box.exec();
    for (const auto& [button, id] : added) {
        if (box.clickedButton() == button)
            return id;
    }
    return closedId;
}

std::string QtDialogs::InputQuery(const std::string& caption, const std::string& prompt,
                                  int maxLength) {
    QDialog dialog(owner_);
    dialog.setWindowTitle(DisplayText(caption));
    auto* layout = new QVBoxLayout(&dialog);
    auto* label = new QLabel(DisplayText(prompt), &dialog);
    auto* edit = new QLineEdit(&dialog);
    edit->setObjectName(QStringLiteral("InputEdit"));
    edit->setAccessibleName(label->text());
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    label->setBuddy(edit);
    auto* buttons = new QDialogButtonBox(&dialog);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(label);
    layout->addWidget(edit);
    layout->addWidget(buttons);
    CentreOnScreen(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return edit->text().toStdString();
}

void QtDialogs::ShowAppError(const std::string& text) {
    ShowOkBox(owner_, text, QMessageBox::Critical);
}

QWidget* QtDialogs::AskingWindow() const {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return owner_;
}

std::optional<std::string> QtDialogs::BrowseForFolder(const std::string& title) {
    QString folder =
        QFileDialog::getExistingDirectory(AskingWindow(), DisplayText(title), QDir::homePath());
    if (folder.isEmpty())
        return std::nullopt;
    while (folder.size() > 1 && (folder.endsWith('/') || folder.endsWith('\\')))
        folder.chop(1);
    return CoreBytes(QDir::toNativeSeparators(folder));
}

std::optional<std::string> QtDialogs::OpenFile(const std::string& filterName,
                                               const std::string& pattern) {
    const QString filter = DisplayText(filterName) + " (" + DisplayText(pattern) + ")";
    // The pattern stays in the filter for the dialog to apply; the user sees
    // the filter's name alone.
    const QString file =
        QFileDialog::getOpenFileName(AskingWindow(), QString(), QDir::homePath(), filter, nullptr,
                                     QFileDialog::HideNameFilterDetails);
    if (file.isEmpty())
        return std::nullopt;
    return CoreBytes(QDir::toNativeSeparators(file));
}

std::string QtDialogs::ShowPicker() {
    return picker_ ? picker_() : std::string();
}

int QtDialogs::ChooseProgram(const std::vector<ProgramChoice>& programs) {
    ProgramChooser chooser(programs, AskingWindow());
    return chooser.Choose();
}

void QtDialogs::ShowRecorder() {
    if (recorder_)
        recorder_();
}

void QtDialogs::ShowAbout() {
    QMessageBox box(QMessageBox::Information, QStringLiteral("About"),
                    QStringLiteral("Sonatrix2009\n版本 %1\n\n更换QQ、TM和MSN的提示音效，"
                                   "也可以录制和添加您自己的声音。")
                        .arg(QStringLiteral(SONATRIX_VERSION)),
                    QMessageBox::NoButton, owner_);
    box.setEscapeButton(box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole));
    box.exec();
}

void QtDialogs::SetBusyCursor(bool busy) {
    if (busy == busy_)
        return;
    busy_ = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

}  // namespace sonatrix::gui
