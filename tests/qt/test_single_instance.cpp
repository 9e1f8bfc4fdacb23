// The single-instance lock: one holder, a second claimant that asks the
// first to come forward, a lock left by a crashed copy, and a lock that
// cannot be made at all.
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/wait.h>
#include <unistd.h>

#include "single_instance.h"

class TestSingleInstance : public QObject {
    Q_OBJECT

private slots:
    void secondClaimantAsksTheFirstToComeForward()
    {
        QTemporaryDir dir;
        SingleInstance first(QStringLiteral("trevul.mutex.idioms"), dir.path());
        QVERIFY(first.Claim());
        QSignalSpy raised(&first, &SingleInstance::RaiseRequested);

        SingleInstance second(QStringLiteral("trevul.mutex.idioms"), dir.path());
        QVERIFY(!second.Claim());
        QVERIFY(raised.wait(5000));
        QCOMPARE(raised.count(), 1);

        // Another name is another program.
        SingleInstance other(QStringLiteral("another.name"), dir.path());
        QVERIFY(other.Claim());
    }

    void lockOfACrashedCopyDoesNotBlock()
    {
        QTemporaryDir dir;
        const pid_t child = fork();
        if (child == 0) {
            SingleInstance crashed(QStringLiteral("trevul.mutex.idioms"), dir.path());
            _exit(crashed.Claim() ? 0 : 1);  // no destructor: the lock file stays
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QCOMPARE(WEXITSTATUS(status), 0);
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("trevul.mutex.idioms.lock"))));

        SingleInstance next(QStringLiteral("trevul.mutex.idioms"), dir.path());
        QVERIFY(next.Claim());
    }

    void aLockThatCannotBeMadeDoesNotStopTheProgram()
    {
        SingleInstance nowhere(QStringLiteral("trevul.mutex.idioms"), QStringLiteral("/nonexistent/folder"));
        QVERIFY(nowhere.Claim());
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "test_single_instance.moc"
