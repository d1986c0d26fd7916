// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound_drop_handler.h"

#include <QApplication>
#include <QDir>
#include <QDrag>
#include <QDropEvent>
#include <QFile>
#include <QListWidget>
#include <QMimeData>
#include <QMouseEvent>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>

#include "library/add_sounds.h"
#include "replace/dropped_replacement.h"

namespace sonatrix::gui {

std::vector<std::string> DroppedPaths(const QMimeData& data) {
    std::vector<std::string> paths;
    // A file URL names its path with "/"; the program's paths use the
    // platform's separator.
    for (const QUrl& url : data.urls())
        if (url.isLocalFile())
            paths.push_back(
                QFile::encodeName(QDir::toNativeSeparators(url.toLocalFile())).toStdString());
    return paths;
}

SoundDropHandler::SoundDropHandler(MainModel& model, QTreeWidget* tree, QListWidget* list,
                                   PathOfItem pathOfItem, QObject* parent)
    : QObject(parent),
      model_(model),
      tree_(tree),
      list_(list),
      treeViewport_(tree->viewport()),
      listViewport_(list->viewport()),
      pathOfItem_(std::move(pathOfItem)) {
    tree_->setAcceptDrops(true);
    tree_->viewport()->setAcceptDrops(true);
    tree_->viewport()->installEventFilter(this);
    list_->setAcceptDrops(true);
    list_->viewport()->setAcceptDrops(true);
    list_->viewport()->installEventFilter(this);
}

bool SoundDropHandler::eventFilter(QObject* watched, QEvent* event) {
    if (watched == treeViewport_)
        return TreeEvent(event);
    if (watched == listViewport_)
        return ListEvent(event);
    return QObject::eventFilter(watched, event);
}

bool SoundDropHandler::TreeEvent(QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            pressed_ = mouse->button() == Qt::LeftButton;
            pressedAt_ = mouse->position().toPoint();
            return false;
        }
        case QEvent::MouseMove: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (pressed_ && (mouse->buttons() & Qt::LeftButton) &&
                (mouse->position().toPoint() - pressedAt_).manhattanLength() >=
                    QApplication::startDragDistance()) {
                pressed_ = false;
                if (const QTreeWidgetItem* item = tree_->itemAt(pressedAt_);
                    item && !item->childCount())
                    StartDrag(item);
                return true;
            }
            return false;
        }
        case QEvent::MouseButtonRelease:
            pressed_ = false;
            return false;
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDropEvent*>(event);
            // A library sound dropped back on the library means nothing.
            if (!drag->mimeData()->hasFormat(kLibrarySoundMime) &&
                !DroppedPaths(*drag->mimeData()).empty())
                drag->acceptProposedAction();
            else
                drag->ignore();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            if (drop->mimeData()->hasFormat(kLibrarySoundMime))
                return true;
            const std::vector<std::string> paths = DroppedPaths(*drop->mimeData());
            if (paths.empty())
                return true;
            drop->acceptProposedAction();
            // The command asks questions: it runs once the drop has finished,
            // so the file manager is not left waiting for its answer.
            QTimer::singleShot(0, this, [this, paths] { TreeView1DragDrop(model_, paths); });
            return true;
        }
        default:
            return false;
    }
}

bool SoundDropHandler::ListEvent(QEvent* event) {
    if (event->type() != QEvent::DragEnter && event->type() != QEvent::DragMove &&
        event->type() != QEvent::Drop)
        return false;
    auto* drop = static_cast<QDropEvent*>(event);
    const QMimeData& data = *drop->mimeData();
    const int row = list_->indexAt(drop->position().toPoint()).row();
    const bool librarySound = data.hasFormat(kLibrarySoundMime);
    const std::vector<std::string> paths = DroppedPaths(data);
    // One sound replaces one target sound.
    if (row < 0 || (!librarySound && paths.size() != 1)) {
        drop->ignore();
        return true;
    }
    drop->acceptProposedAction();
    if (event->type() != QEvent::Drop)
        return true;
    if (librarySound) {
        const QByteArray bytes = data.data(kLibrarySoundMime);
        QTimer::singleShot(0, this, [this, row, path = bytes.toStdString()] {
            ListBox1DropLibrarySound(model_, row, path);
        });
    } else {
        QTimer::singleShot(
            0, this, [this, row, path = paths.front()] { ListBox1DropFile(model_, row, path); });
    }
    return true;
}

void SoundDropHandler::StartDrag(const QTreeWidgetItem* item) {
    auto* data = new QMimeData;
    data->setData(kLibrarySoundMime, QByteArray::fromStdString(pathOfItem_(item)));
    auto* drag = new QDrag(tree_);
    drag->setMimeData(data);
    if (!item->icon(0).isNull())
        drag->setPixmap(item->icon(0).pixmap(16, 16));
    drag->exec(Qt::CopyAction);
}

}  // namespace sonatrix::gui
