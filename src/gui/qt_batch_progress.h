// The progress of a long command: each step runs on a worker thread while
// the window keeps painting; a batch that lasts more than half a second
// shows a progress dialog with the file in hand and a cancel button.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

#include <atomic>

#include "model/batch_progress.h"

class QProgressDialog;
class QTimer;
class QWidget;

namespace sonatrix::gui {

class QtBatchProgress : public QObject, public BatchProgress {
    Q_OBJECT
  public:
    static constexpr int kShowAfterMs = 500;

    explicit QtBatchProgress(QObject* parent = nullptr);
    ~QtBatchProgress() override;
    // The window the dialog belongs to.
    void SetOwner(QWidget* owner);

    void Begin(int total) override;
    bool Run(int done, const std::string& name, const Work& work) override;
    void End() override;

    // The dialog of the running batch once shown; nullptr otherwise.
    QProgressDialog* Dialog() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ShowDialog();

    QPointer<QWidget> owner_;
    QProgressDialog* dialog_ = nullptr;
    QTimer* showTimer_ = nullptr;
    std::atomic<bool> stop_{false};
    bool running_ = false;
};

}  // namespace sonatrix::gui
