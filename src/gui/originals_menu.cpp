// SPDX-License-Identifier: GPL-3.0-or-later
#include "originals_menu.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QListWidget>
#include <QMenu>
#include <QSettings>
#include <memory>

#include "model/main_model.h"
#include "replace/loudness_match.h"
#include "replace/restore_originals.h"
#include "replace/undo_last_change.h"

namespace sonatrix::gui {
namespace {

constexpr const char* kMatchLoudnessKey = "MatchLoudness";

// The user's settings: "sonatrix/sonatrix.ini" in the user's configuration
// folder (~/.config on Linux, %APPDATA% on Windows), a file on every system.
std::unique_ptr<QSettings> UserSettings() {
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QStringLiteral("sonatrix"), QStringLiteral("sonatrix"));
}

}  // namespace

OriginalsMenu::OriginalsMenu(MainModel& model, QListWidget* list, QWidget* window)
    : QObject(window), model_(model), list_(list), menu_(new QMenu(window)) {
    menu_->setObjectName(QStringLiteral("ListBox1Menu"));
    // Without a mnemonic, each item's accessible name is its whole text.
    auto item = [this](const char* text) { return menu_->addAction(QString::fromUtf8(text)); };
    restoreOne_ = item(kRestoreOriginalCaption);
    QAction* restoreAll = item(kRestoreAllOriginalsCaption);
    QAction* undo = item(kUndoLastChangeCaption);
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    // The same action serves Ctrl+Z anywhere in the window.
    undo->setShortcutContext(Qt::WindowShortcut);
    window->addAction(undo);
    QAction* redo = item(kRedoCaption);
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    redo->setShortcutContext(Qt::WindowShortcut);
    window->addAction(redo);

    // Remembered for the next start; unchecked until the user checks it, so
    // that a replacement stays a byte-for-byte copy.
    menu_->addSeparator();
    QAction* matchLoudness = item(kMatchLoudnessCaption);
    matchLoudness->setCheckable(true);
    matchLoudness->setChecked(UserSettings()->value(kMatchLoudnessKey, false).toBool());
    model_.state.MatchLoudness = matchLoudness->isChecked();
    connect(matchLoudness, &QAction::toggled, this, [this](bool checked) {
        model_.state.MatchLoudness = checked;
        UserSettings()->setValue(kMatchLoudnessKey, checked);
    });

    connect(restoreOne_, &QAction::triggered, this, [this] { RestoreOriginalClick(model_, row_); });
    connect(restoreAll, &QAction::triggered, this, [this] { RestoreAllOriginalsClick(model_); });
    connect(undo, &QAction::triggered, this, [this] { UndoLastChangeClick(model_); });
    connect(redo, &QAction::triggered, this, [this] { RedoClick(model_); });

    // A right-click arrives at the viewport, the menu key at the list.
    list_->installEventFilter(this);
    list_->viewport()->installEventFilter(this);
}

bool OriginalsMenu::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ContextMenu)
        return QObject::eventFilter(watched, event);
    auto* request = static_cast<QContextMenuEvent*>(event);
    if (request->reason() == QContextMenuEvent::Mouse) {
        const QPoint inViewport = list_->viewport()->mapFromGlobal(request->globalPos());
        const QListWidgetItem* item = list_->itemAt(inViewport);
        Popup(item ? list_->row(item) : -1, request->globalPos());
    } else {
        // From the keyboard: the current item, or the list's corner.
        const int row = list_->currentRow();
        const QRect place =
            row >= 0 ? list_->visualItemRect(list_->item(row)) : QRect(QPoint(0, 0), QSize(1, 1));
        Popup(row, list_->viewport()->mapToGlobal(place.center()));
    }
    return true;
}

void OriginalsMenu::Popup(int row, const QPoint& globalPos) {
    row_ = row;
    restoreOne_->setEnabled(row >= 0);
    menu_->popup(globalPos);
}

}  // namespace sonatrix::gui
