// SPDX-License-Identifier: GPL-3.0-or-later
// The progress of a long command: each step runs on Qt's thread pool while
// the window keeps painting; a batch that lasts more than half a second
// shows a progress dialog with the file in hand and a cancel button. Until
// the batch ends the windows take no input, but the main window can still
// be asked to close, and the session can end.
#pragma once

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
    // The window the dialog belongs to, which closes after a batch stopped
    // for closing.
    void SetOwner(QWidget* owner);

    void Begin(int total) override;
    bool Run(int done, const std::string& name, const Work& work) override;
    void End() override;
    bool Running() const override;
    void StopForClosing() override;
    bool Closing() const override;

    // The dialog of the running batch once shown; nullptr otherwise.
    QProgressDialog* Dialog() const;

    // The session is ending (a logout): a running batch stops and the
    // window closes, without a question.
    void SessionEnding();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ShowDialog();
    // True for a target of user input that stays open to it: the progress
    // dialog, or a modal dialog shown over the batch.
    bool TakesInput(QObject* target) const;

    QPointer<QWidget> owner_;
    QProgressDialog* dialog_ = nullptr;
    QTimer* showTimer_ = nullptr;
    std::atomic<bool> stop_{false};
    bool running_ = false;
    bool closing_ = false;
};

}  // namespace sonatrix::gui
