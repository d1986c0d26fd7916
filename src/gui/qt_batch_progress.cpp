#include "qt_batch_progress.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

#include <limits>
#include <thread>

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
        case QEvent::Wheel:
        case QEvent::DragEnter:
        case QEvent::Drop:
        case QEvent::Close:
            return true;
        default:
            return false;
    }
}

}  // namespace

QtBatchProgress::QtBatchProgress(QObject* parent) : QObject(parent) {}

QtBatchProgress::~QtBatchProgress() {
    End();
}

void QtBatchProgress::SetOwner(QWidget* owner) {
    owner_ = owner;
}

void QtBatchProgress::Begin(int total) {
    End();
    running_ = true;
    stop_ = false;
    dialog_ = new QProgressDialog(owner_);
    dialog_->setObjectName(QStringLiteral("AddProgress"));
    dialog_->setWindowTitle(QString::fromUtf8(kAppTitle));
    dialog_->setAccessibleName(dialog_->windowTitle());
    dialog_->setWindowModality(Qt::ApplicationModal);
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
    // Until the dialog shows, the window must not start a second command:
    // its input waits, as under a modal dialog.
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
    QEventLoop loop;
    std::atomic<bool> finished{false};
    std::thread worker([&] {
        work(stop_);
        finished = true;
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    while (!finished)
        loop.exec();
    worker.join();
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
}

bool QtBatchProgress::eventFilter(QObject* watched, QEvent* event) {
    if (running_ && IsUserInput(event->type()) && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        // The dialog itself (its cancel button) still takes input.
        if (!(dialog_ && (widget == dialog_ || dialog_->isAncestorOf(widget)))) {
            if (event->type() == QEvent::Close)
                event->ignore();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace sonatrix::gui
