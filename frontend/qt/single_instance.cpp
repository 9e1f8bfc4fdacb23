// The single-instance lock and the raise request over a Unix socket.
#include "single_instance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QSysInfo>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

static const char RAISE_REQUEST[] = "raise\n";
static const int PENDING_CONNECTIONS = 8;
static const qsizetype MAX_REQUEST_BYTES = 64;  // a client that sends more is dropped

// The socket address of `path`; false when the path does not fit in one.
static bool AddressOf(const QString &path, sockaddr_un &address)
{
    const QByteArray bytes = QFile::encodeName(path);
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (bytes.size() >= static_cast<qsizetype>(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path, bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return true;
}

SingleInstance::SingleInstance(const QString &name, const QString &directory)
{
    QString dir = directory;
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    lockPath_ = QDir(dir).filePath(name + ".lock");
    socketPath_ = QDir(dir).filePath(name + ".socket");
}

SingleInstance::~SingleInstance()
{
    for (const auto &[fd, client] : clients_)
        close(fd);
    if (server_ >= 0) {
        close(server_);
        unlink(QFile::encodeName(socketPath_).constData());
    }
    if (lock_ >= 0)
        close(lock_);  // and the lock goes with it
}

bool SingleInstance::Claim()
{
    lock_ = open(QFile::encodeName(lockPath_).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lock_ < 0)
        return true;  // no lock to be had, but nothing says another copy runs
    if (flock(lock_, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        close(lock_);
        lock_ = -1;
        if (!held)
            return true;
        // Ask the holder to come forward; a holder that does not listen is
        // not waited for.
        sockaddr_un address;
        const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        if (fd >= 0 && AddressOf(socketPath_, address) &&
            ::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0)
            (void)send(fd, RAISE_REQUEST, sizeof RAISE_REQUEST - 1, MSG_NOSIGNAL);
        if (fd >= 0)
            close(fd);
        return false;
    }
    // What QLockFile writes, for an older copy of the window, which reads
    // the lock that way: whose it is, so that it is seen stale once this
    // copy has gone.
    const QByteArray owner = QByteArray::number(QCoreApplication::applicationPid()) + '\n' +
                             QCoreApplication::applicationName().toUtf8() + '\n' +
                             QSysInfo::machineHostName().toUtf8() + '\n';
    const bool written = ftruncate(lock_, 0) == 0 &&
                         write(lock_, owner.constData(), static_cast<std::size_t>(owner.size())) == owner.size();
    (void)written;  // unwritten, the lock holds all the same
    Listen();
    return true;
}

// Listens for raise requests; without a socket the copy still runs, only
// it cannot be asked to come forward.
void SingleInstance::Listen()
{
    sockaddr_un address;
    if (!AddressOf(socketPath_, address))
        return;
    // The lock is ours, so a socket file left behind is stale.
    unlink(address.sun_path);
    server_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (server_ < 0)
        return;
    // Only this user may connect.
    const mode_t mask = umask(0077);
    const bool bound = bind(server_, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
    umask(mask);
    if (!bound || listen(server_, PENDING_CONNECTIONS) != 0) {
        close(server_);
        server_ = -1;
        return;
    }
    serverNotifier_ = new QSocketNotifier(server_, QSocketNotifier::Read, this);
    connect(serverNotifier_, &QSocketNotifier::activated, this, &SingleInstance::OnConnection);
}

void SingleInstance::OnConnection()
{
    int fd;
    while ((fd = accept4(server_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK)) >= 0) {
        auto *notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        clients_[fd] = Client{notifier, {}};
        connect(notifier, &QSocketNotifier::activated, this, [this, fd] { OnReadable(fd); });
    }
}

// Reads what a client sent: a request that says "raise" is granted as soon
// as it has come; a client that ends, fails or says too much is dropped.
void SingleInstance::OnReadable(int fd)
{
    Client &client = clients_.at(fd);
    char buffer[64];
    ssize_t n;
    while ((n = read(fd, buffer, sizeof buffer)) > 0 && client.received.size() <= MAX_REQUEST_BYTES)
        client.received.append(buffer, n);
    const bool raise = client.received.contains("raise");
    const bool waiting = n < 0 && (errno == EAGAIN || errno == EINTR) && client.received.size() <= MAX_REQUEST_BYTES;
    if (raise || !waiting)
        Drop(fd);
    if (raise)
        emit RaiseRequested();
}

void SingleInstance::Drop(int fd)
{
    const auto it = clients_.find(fd);
    it->second.notifier->setEnabled(false);
    it->second.notifier->deleteLater();
    close(fd);
    clients_.erase(it);
}
