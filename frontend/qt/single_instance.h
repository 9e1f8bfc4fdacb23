// One copy of the program per user session: a lock on a file claims the
// name, and a Unix socket beside it lets a second copy ask the first to come
// forward. The lock is the kernel's (flock), held as long as the process
// lives, so a crashed copy leaves nothing to take over. Plain POSIX calls
// watched by Qt's event loop: the window's start-up pays neither Qt's
// network module (nine libraries) nor QLockFile's checks of stale locks.
#ifndef QUOVANT_QT_SINGLE_INSTANCE_H
#define QUOVANT_QT_SINGLE_INSTANCE_H

#include <QByteArray>
#include <QObject>
#include <QString>

#include <map>

class QSocketNotifier;

class SingleInstance : public QObject {
    Q_OBJECT

public:
    // `name` names the lock and the socket in `directory` (the user's
    // runtime directory when empty).
    explicit SingleInstance(const QString &name, const QString &directory = QString());
    ~SingleInstance() override;

    // Claims the name. False only when another running copy holds it; then
    // that copy has been asked to come forward. Any other failure to lock
    // lets this copy run. Called once.
    bool Claim();

signals:
    // Another copy asked this one to bring its window to the front.
    void RaiseRequested();

private:
    void AskHolderToRaise();
    void Listen();
    void OnConnection();
    void OnReadable(int fd);
    void Drop(int fd);

    QString lockPath_;
    QString socketPath_;
    int lock_ = -1;                                // the locked file, while this copy holds the name
    int server_ = -1;                              // the listening socket, when this copy holds the name
    QSocketNotifier *serverNotifier_ = nullptr;    // owned as a child
    struct Client {
        QSocketNotifier *notifier;  // owned as a child
        QByteArray received;
    };
    std::map<int, Client> clients_;  // by socket
};

#endif
