// SPDX-License-Identifier: GPL-3.0-or-later
// One running program per user's data folder: a second start for the same
// folder, from whichever program folder, brings the running window to the
// front and ends. Starts with other data folders (other users, the tests)
// know nothing of each other.
#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <memory>
#include <string>

class QLockFile;
class QWidget;

namespace sonatrix::gui {

class SingleInstance : public QObject {
    Q_OBJECT
  public:
    // `dataFolder`: the program's folder in the user's data folder.
    explicit SingleInstance(const std::string& dataFolder, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this process now is the program of the data folder; it then
    // listens for later starts. False when another one is.
    bool Claim();
    // Asks the program that is to show its window; true once it has the
    // request (it may still be starting: it is given a few seconds).
    bool AskToShow();

    // Where the lock and the socket live, without their endings.
    const QString& Base() const { return base_; }

  signals:
    void showRequested();

  private:
    void Answer();

    QString base_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer server_;
};

// Shows `window`, restored from the task bar, in front and active.
void BringToFront(QWidget& window);

}  // namespace sonatrix::gui
