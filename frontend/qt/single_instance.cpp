// The single-instance lock and the raise request over a Unix socket.
#include "single_instance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTimer>

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
static const int CONNECT_TRIES = 20;               // with the pause, two seconds in all
static const useconds_t CONNECT_PAUSE_US = 100 * 1000;
static const int ACCEPT_PAUSE_MS = 500;

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
        AskHolderToRaise();
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

// Asks the copy that holds the name to come forward. A holder whose queue of
// connections is full (it is busy starting) is tried again for a while; one
// that does not listen at all is not waited for.
void SingleInstance::AskHolderToRaise()
{
    sockaddr_un address;
    if (!AddressOf(socketPath_, address))
        return;
    for (int tries = 0; tries < CONNECT_TRIES; ++tries) {
        const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        if (fd < 0)
            return;
        const bool connected = ::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
        const bool busy = !connected && errno == EAGAIN;
        if (connected)
            (void)send(fd, RAISE_REQUEST, sizeof RAISE_REQUEST - 1, MSG_NOSIGNAL);
        close(fd);
        if (!busy)
            return;
        usleep(CONNECT_PAUSE_US);
    }
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
    // Only this user may connect (made so before anyone can).
    if (bind(server_, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0 ||
        chmod(address.sun_path, S_IRUSR | S_IWUSR) != 0 || listen(server_, PENDING_CONNECTIONS) != 0) {
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
    // Out of descriptors, the connection waits in the queue and the socket
    // stays readable: listen again a little later rather than spin.
    if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM) {
        serverNotifier_->setEnabled(false);
        QTimer::singleShot(ACCEPT_PAUSE_MS, this, [this] { serverNotifier_->setEnabled(true); });
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
