// SPDX-License-Identifier: GPL-3.0-or-later
// The target list's context menu ("恢复原始声音", "全部恢复原始声音",
// "撤销上次更改", "重做" and, after a separator, the checkable
// "音量与原声音一致"), opened by a right-click or the menu key, and Ctrl+Z
// and Ctrl+Y (or Ctrl+Shift+Z) in the main window for undo and redo.
#pragma once

#include <QObject>

class QAction;
class QListWidget;
class QMenu;
class QPoint;
class QWidget;

namespace sonatrix {
class MainModel;
}

namespace sonatrix::gui {

class OriginalsMenu : public QObject {
    Q_OBJECT
  public:
    // Lives as long as `window`, of which `list` is ListBox1.
    OriginalsMenu(MainModel& model, QListWidget* list, QWidget* window);

    QMenu* Menu() const { return menu_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Opens the menu for the item in `row` (-1: none) at `globalPos`.
    void Popup(int row, const QPoint& globalPos);

    MainModel& model_;
    QListWidget* list_;
    QMenu* menu_;
    QAction* restoreOne_;
    int row_ = -1;  // the item the menu was opened on
};

}  // namespace sonatrix::gui
