// One copy of the program per user session: a lock file claims the name,
// and a local socket beside it lets a second copy ask the first to come
// forward. A lock left by a crashed copy is taken over.
#ifndef QUOVANT_QT_SINGLE_INSTANCE_H
#define QUOVANT_QT_SINGLE_INSTANCE_H

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

class SingleInstance : public QObject {
    Q_OBJECT

public:
    // `name` names the lock and the socket in `directory` (the user's
    // runtime directory when empty).
    explicit SingleInstance(const QString &name, const QString &directory = QString());

    // Claims the name. False only when another running copy holds it; then
    // that copy has been asked to come forward. Any other failure to lock
    // lets this copy run.
    bool Claim();

signals:
    // Another copy asked this one to bring its window to the front.
    void RaiseRequested();

private:
    void OnConnection();

    QString lockPath_;
    QString socketPath_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer server_;
};

#endif
