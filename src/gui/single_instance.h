// SPDX-License-Identifier: GPL-3.0-or-later
// One running program per user's data folder: a second start for the same
// folder, from whichever program folder, brings the running window to the
// front and ends. Starts with other data folders (other users, the tests)
// know nothing of each other. The program holds a lock that the system lets
// go of when it ends, a crash included, and listens beside it for later
// starts (platform/instance_channel.h); a start that can neither take the
// lock nor reach its holder says so and ends: it never runs as a second
// writer of the same store.
#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <string>

#include "model/dialogs.h"

class QWidget;

namespace sonatrix {
class HeldLock;
class InstanceServer;
}  // namespace sonatrix

namespace sonatrix::gui {

inline constexpr const char* kNotAnswering = "Sonatrix 已在运行，但没有响应。";

class SingleInstance : public QObject {
    Q_OBJECT
  public:
    // How long a later start tries to reach the program, which may itself
    // be starting.
    static constexpr int kAskForMs = 5000;

    enum class Role {
        Program,       // this process is the program of the data folder
        Shown,         // the program there has been asked to show its window
        NotAnswering,  // the program there could not be reached; the user was told
    };

    // `dataFolder`: the program's folder in the user's data folder.
    explicit SingleInstance(const std::string& dataFolder, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Decides what this start is, trying for up to `waitMs`: the program of
    // the data folder (taking its lock), or a later start that had the
    // program show its window. When neither, tells the user with
    // kNotAnswering through `dialogs`.
    Role TakeRole(Dialogs& dialogs, int waitMs = kAskForMs);

    // True when this process now is the program of the data folder; it then
    // listens for later starts. False when another one is.
    bool Claim();

    // Where the lock and the channel live, without their endings.
    const std::string& Base() const { return base_; }

  signals:
    void showRequested();

  private:
    std::string base_;
    std::unique_ptr<HeldLock> lock_;
    // After the lock: it stops listening before the lock is let go.
    std::unique_ptr<InstanceServer> server_;
};

// A folder nobody but the user can enter, for the lock and the channel, so
// that no other user can take their names first.
QString InstanceFolder(const std::string& dataFolder);

// Shows `window`, restored from the task bar, in front and active.
void BringToFront(QWidget& window);

}  // namespace sonatrix::gui
