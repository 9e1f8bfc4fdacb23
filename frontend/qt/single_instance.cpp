// The single-instance lock and the raise request over a local socket.
#include "single_instance.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

static const char RAISE_REQUEST[] = "raise\n";
static const int SOCKET_TIMEOUT_MS = 2000;

SingleInstance::SingleInstance(const QString &name, const QString &directory)
{
    QString dir = directory;
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    lockPath_ = QDir(dir).filePath(name + ".lock");
    socketPath_ = QDir(dir).filePath(name + ".socket");
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::OnConnection);
}

bool SingleInstance::Claim()
{
    lock_ = std::make_unique<QLockFile>(lockPath_);
    // A lock whose owner has died is stale at once; a live owner's never is.
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0)) {
        if (lock_->error() != QLockFile::LockFailedError)
            return true;  // no lock to be had, but nothing says another copy runs
        QLocalSocket socket;
        socket.connectToServer(socketPath_);
        if (socket.waitForConnected(SOCKET_TIMEOUT_MS)) {
            socket.write(RAISE_REQUEST);
            socket.waitForBytesWritten(SOCKET_TIMEOUT_MS);
            socket.disconnectFromServer();
        }
        return false;
    }
    // The lock is ours, so a socket file left behind is stale.
    QLocalServer::removeServer(socketPath_);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    server_.listen(socketPath_);
    return true;
}

void SingleInstance::OnConnection()
{
    while (QLocalSocket *socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->readAll().contains("raise"))
                emit RaiseRequested();
        });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    }
}
