// SPDX-License-Identifier: GPL-3.0-or-later
// Drag and drop between the library tree, the target list and the file
// manager: files or folders dropped on the tree are added to the library;
// a library sound dragged from the tree, or an audio file, dropped on an
// item of the target list replaces that sound.
#pragma once

#include <QObject>
#include <QPoint>
#include <QString>

#include <functional>
#include <string>
#include <vector>

class QDropEvent;
class QListWidget;
class QMimeData;
class QTreeWidget;
class QTreeWidgetItem;

namespace sonatrix {
class MainModel;
}

namespace sonatrix::gui {

// The MIME type of a library sound dragged from the tree: its
// library-relative path, as bytes.
inline const QString kLibrarySoundMime = QStringLiteral("application/x-sonatrix-library-sound");

class SoundDropHandler : public QObject {
    Q_OBJECT
  public:
    using PathOfItem = std::function<std::string(const QTreeWidgetItem*)>;

    // Watches the viewports of `tree` and `list`; `pathOfItem` gives a tree
    // item's library-relative path.
    SoundDropHandler(MainModel& model, QTreeWidget* tree, QListWidget* list, PathOfItem pathOfItem,
                     QObject* parent = nullptr);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool TreeEvent(QEvent* event);
    bool ListEvent(QEvent* event);
    void StartDrag(const QTreeWidgetItem* item);

    MainModel& model_;
    QTreeWidget* tree_;
    QListWidget* list_;
    // The viewports the filter watches, kept from the start: the filter
    // still sees their events while the window destroys the views, when
    // asking a view for its viewport is no longer safe.
    QObject* treeViewport_;
    QObject* listViewport_;
    PathOfItem pathOfItem_;
    QPoint pressedAt_;
    bool pressed_ = false;
};

// The local files and folders a drop carries, as the platform's path bytes.
std::vector<std::string> DroppedPaths(const QMimeData& data);

}  // namespace sonatrix::gui
