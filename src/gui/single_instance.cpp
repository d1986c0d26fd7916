// SPDX-License-Identifier: GPL-3.0-or-later
#include "single_instance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>
#include <QWidget>

#include "platform/sha256.h"

namespace sonatrix::gui {
namespace {

// The one thing a later start may ask.
constexpr char kShowRequest[] = "show\n";
constexpr int kAskForMs = 5000;

// A folder nobody else can enter, so that no other user can take the names
// first: on Windows the user's temporary folder; elsewhere the session's
// runtime folder, or the private one Qt makes in its stead (its owner and
// rights checked), or else the data folder.
QString InstanceFolder(const std::string& dataFolder) {
#ifdef Q_OS_WIN
    (void)dataFolder;
    return QDir::tempPath();
#else
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return !runtime.isEmpty() ? runtime : QString::fromStdString(dataFolder);
#endif
}

}  // namespace

SingleInstance::SingleInstance(const std::string& dataFolder, QObject* parent)
    : QObject(parent),
      base_(QDir(InstanceFolder(dataFolder))
                .filePath(QStringLiteral("sonatrix-") +
                          QString::fromStdString(Sha256Hex(dataFolder).substr(0, 32)))) {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::Answer);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::Claim() {
    lock_ = std::make_unique<QLockFile>(base_ + QStringLiteral(".lock"));
    // Stale only when its holder no longer runs, however long it ran.
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0))
        return false;
    // A socket that a crashed holder left behind.
    QLocalServer::removeServer(base_);
    server_.listen(base_);
    return true;
}

bool SingleInstance::AskToShow() {
    const QDeadlineTimer deadline(kAskForMs);
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(base_);
        if (socket.waitForConnected(500)) {
            socket.write(kShowRequest);
            if (!socket.waitForBytesWritten(1000))
                return false;
            // Delivered: the holder reads it when its window's thread is free
            // (a command may be running), then hangs up.
            socket.waitForDisconnected(1000);
            return true;
        }
        QThread::msleep(100);
    }
    return false;
}

void SingleInstance::Answer() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            constexpr qint64 size = sizeof kShowRequest - 1;
            if (socket->bytesAvailable() < size)
                return;
            if (socket->read(size) == kShowRequest)
                emit showRequested();
            socket->disconnectFromServer();
        });
    }
}

void BringToFront(QWidget& window) {
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}

}  // namespace sonatrix::gui
