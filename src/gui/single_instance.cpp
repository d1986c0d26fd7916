// SPDX-License-Identifier: GPL-3.0-or-later
#include "single_instance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>
#include <QWidget>

#include "platform/files.h"
#include "platform/instance_channel.h"

namespace sonatrix::gui {
namespace {

// A program that has the request answers at once, from a thread of its own.
constexpr int kAnswerWaitMs = 1000;

// SHA-256 of the data folder, the first 32 hex digits: the same as the
// store's hash would give, through Qt's own implementation, which a start
// can use before the crypto library has set itself up.
QString NameHash(const std::string& dataFolder) {
    return QString::fromLatin1(
        QCryptographicHash::hash(QByteArray::fromStdString(dataFolder), QCryptographicHash::Sha256)
            .toHex()
            .left(32));
}

}  // namespace

SingleInstance::SingleInstance(const std::string& dataFolder, QObject* parent)
    : QObject(parent),
      base_(QFile::encodeName(QDir(InstanceFolder(dataFolder))
                                  .filePath(QStringLiteral("sonatrix-") + NameHash(dataFolder)))
                .toStdString()) {}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::Claim() {
    if (MakeNativeFileSystem()->LockFile(base_ + ".lock", 0, lock_) != 0)
        return false;
    const int error = ListenForStarts(
        base_,
        [this] {
            QMetaObject::invokeMethod(this, &SingleInstance::showRequested, Qt::QueuedConnection);
        },
        server_);
    // Still the program: the lock says so. Later starts cannot reach it and
    // end with kNotAnswering rather than write beside it.
    if (error != 0)
        qWarning("Sonatrix cannot listen for later starts at %s: %s", base_.c_str(),
                 SystemErrorText(error).c_str());
    return true;
}

SingleInstance::Role SingleInstance::TakeRole(Dialogs& dialogs, int waitMs) {
    const QDeadlineTimer deadline(waitMs);
    do {
        // The holder's lock goes with it, so a holder that ended leaves the
        // lock free: no guess about whether it is stale.
        if (Claim())
            return Role::Program;
        if (AskToShow(base_, kAnswerWaitMs))
            return Role::Shown;
        QThread::msleep(100);
    } while (!deadline.hasExpired());
    dialogs.MessageBox(kNotAnswering, kAppTitle, mb::kOK | mb::kIconWarning);
    return Role::NotAnswering;
}

void BringToFront(QWidget& window) {
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}

}  // namespace sonatrix::gui
