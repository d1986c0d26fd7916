// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_batch_progress.h"

#include <QApplication>
#include <QEvent>
#include <QFutureWatcher>
#include <QProgressDialog>
#include <QPromise>
#include <QPushButton>
#include <QThreadPool>
#include <QTimer>

#include <exception>
#include <limits>
#include <memory>

#include "display_text.h"
#include "model/dialogs.h"

namespace sonatrix::gui {
namespace {

bool IsUserInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::ContextMenu:
        case QEvent::Wheel:
        case QEvent::DragEnter:
        case QEvent::Drop:
        case QEvent::Close:
            return true;
        default:
            return false;
    }
}

// The widget an event for `target` is meant for: a shortcut's own widget.
QWidget* WidgetOf(QObject* target) {
    for (QObject* object = target; object; object = object->parent())
        if (object->isWidgetType())
            return static_cast<QWidget*>(object);
    return nullptr;
}

}  // namespace

QtBatchProgress::QtBatchProgress(QObject* parent) : QObject(parent) {
    if (auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(application, &QGuiApplication::commitDataRequest, this,
                &QtBatchProgress::SessionEnding);
}

QtBatchProgress::~QtBatchProgress() {
    End();
}

void QtBatchProgress::SetOwner(QWidget* owner) {
    owner_ = owner;
}

void QtBatchProgress::Begin(int total) {
    End();
    running_ = true;
    closing_ = false;
    stop_ = false;
    dialog_ = new QProgressDialog(owner_);
    dialog_->setObjectName(QStringLiteral("AddProgress"));
    dialog_->setWindowTitle(QString::fromUtf8(kAppTitle));
    dialog_->setAccessibleName(dialog_->windowTitle());
    // Not modal: the main window can still be asked to close. The filter
    // below keeps every other input away from the windows.
    dialog_->setWindowModality(Qt::NonModal);
    dialog_->setCancelButtonText(QStringLiteral("Cancel"));
    dialog_->setRange(0, total);
    dialog_->setValue(0);
    // The dialog shows itself when this timer says so, not by its own guess.
    dialog_->setMinimumDuration(std::numeric_limits<int>::max());
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->hide();
    connect(dialog_, &QProgressDialog::canceled, this, [this] { stop_ = true; });
    showTimer_ = new QTimer(this);
    showTimer_->setSingleShot(true);
    connect(showTimer_, &QTimer::timeout, this, &QtBatchProgress::ShowDialog);
    showTimer_->start(kShowAfterMs);
    qApp->installEventFilter(this);
}

void QtBatchProgress::ShowDialog() {
    if (dialog_ && running_)
        dialog_->show();
}

QProgressDialog* QtBatchProgress::Dialog() const {
    return dialog_ && dialog_->isVisible() ? dialog_ : nullptr;
}

bool QtBatchProgress::Run(int done, const std::string& name, const Work& work) {
    if (stop_)
        return false;
    dialog_->setValue(done);
    dialog_->setLabelText(QStringLiteral("正在添加：") + DisplayText(name));
    // The promise lives as long as the task that keeps it: the task may
    // still be inside finish() when this thread sees the step finished. An
    // exception is kept in the future, as Qt's own runner keeps it, rather
    // than ending the program on the pool's thread.
    const auto promise = std::make_shared<QPromise<void>>();
    const QFuture<void> step = promise->future();
    promise->start();
    QThreadPool::globalInstance()->start([promise, this, &work] {
        try {
            work(stop_);
        } catch (...) {
            promise->setException(std::current_exception());
        }
        promise->finish();
    });
    // Its end wakes the loop below. The loop goes on while the application
    // is quitting, when a nested event loop would end at once.
    QFutureWatcher<void> watcher;
    watcher.setFuture(step);
    while (!step.isFinished())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return !stop_;
}

void QtBatchProgress::End() {
    if (!running_)
        return;
    running_ = false;
    qApp->removeEventFilter(this);
    delete showTimer_;
    showTimer_ = nullptr;
    delete dialog_;
    dialog_ = nullptr;
    // The command that ran the batch returns first.
    if (closing_ && owner_)
        QTimer::singleShot(0, owner_, &QWidget::close);
}

bool QtBatchProgress::Running() const {
    return running_;
}

void QtBatchProgress::StopForClosing() {
    if (!running_)
        return;
    closing_ = true;
    stop_ = true;
}

bool QtBatchProgress::Closing() const {
    return closing_;
}

void QtBatchProgress::SessionEnding() {
    StopForClosing();
}

bool QtBatchProgress::TakesInput(QObject* target) const {
    QWidget* widget = WidgetOf(target);
    if (!widget)
        return true;
    for (QWidget* open : {static_cast<QWidget*>(dialog_), QApplication::activeModalWidget()})
        if (open && (widget == open || open->isAncestorOf(widget)))
            return true;
    return false;
}

bool QtBatchProgress::eventFilter(QObject* watched, QEvent* event) {
    if (!running_ || !IsUserInput(event->type()) || TakesInput(watched))
        return QObject::eventFilter(watched, event);
    // The main window asked to close goes to its own handler, which asks.
    if (event->type() == QEvent::Close) {
        if (watched == owner_)
            return QObject::eventFilter(watched, event);
        event->ignore();
    }
    return true;
}

}  // namespace sonatrix::gui
