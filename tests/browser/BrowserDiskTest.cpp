// The browser window's engine leaves nothing on the user's disk: the engine test's page load,
// traced with strace.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

// Starts the engine, loads a page and quits in a child under strace, with a home and a working
// folder of its own, and looks for every file the child or its engine processes made or opened
// for writing.
class BrowserDiskTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pageLoadWritesNothingOutsideTheTemporaryFolder()
    {
        const QString strace = QStandardPaths::findExecutable(QStringLiteral("strace"));
        if (strace.isEmpty())
            QSKIP("strace is not installed");
        QTemporaryDir home;
        QTemporaryDir work;
        QTemporaryDir temporary;
        QTemporaryDir trace;
        const QString log = trace.filePath(QStringLiteral("trace"));
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), home.path());
        environment.insert(QStringLiteral("TMPDIR"), temporary.path());
        environment.remove(QStringLiteral("XDG_CACHE_HOME"));
        environment.remove(QStringLiteral("XDG_CONFIG_HOME"));
        environment.remove(QStringLiteral("XDG_DATA_HOME"));
        environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        child.setProcessEnvironment(environment);
        child.setWorkingDirectory(work.path());
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(strace, {QStringLiteral("-f"), QStringLiteral("-qq"), QStringLiteral("-o"), log,
                             QStringLiteral("-e"),
                             QStringLiteral("trace=open,openat,creat,mkdir,mkdirat,rename,renameat,renameat2,"
                                            "link,linkat,symlink,symlinkat"),
                             QStringLiteral(WELD_BROWSER_ENGINE_TEST), QStringLiteral("navigationShowsBothPages")});
        QVERIFY(child.waitForFinished(180000));
        const QString output = QString::fromLocal8Bit(child.readAll());
        if (output.contains(QStringLiteral("PTRACE_TRACEME")) || output.contains(QStringLiteral("ptrace")))
            QSKIP(qPrintable("strace cannot trace here: " + output));
        QVERIFY2(child.exitCode() == 0 && output.contains(QStringLiteral(" 0 failed")), qPrintable(output));

        QFile traced(log);
        QVERIFY(traced.open(QIODevice::ReadOnly));
        // A successful call that creates a name, or opens one for writing.
        static const QRegularExpression writing(QStringLiteral(
            "^\\d+\\s+(open|openat|creat|mkdir|mkdirat|rename|renameat2?|link|linkat|symlink|symlinkat)\\("
            "(.*)\\)\\s+=\\s+\\d+"));
        static const QRegularExpression quoted(QStringLiteral("\"((?:[^\"\\\\]|\\\\.)*)\""));
        const QStringList allowed{temporary.path() + u'/', QStringLiteral("/dev/"), QStringLiteral("/proc/"),
                                  QStringLiteral("/sys/")};
        QStringList written;
        int calls = 0;
        for (const QByteArray &line : traced.readAll().split('\n')) {
            const QRegularExpressionMatch match = writing.match(QString::fromUtf8(line));
            if (!match.hasMatch())
                continue;
            const QString call = match.captured(1);
            const QString arguments = match.captured(2);
            ++calls;
            if (call.startsWith(QStringLiteral("open")) && !arguments.contains(QStringLiteral("O_WRONLY"))
                && !arguments.contains(QStringLiteral("O_RDWR")) && !arguments.contains(QStringLiteral("O_CREAT")))
                continue;
            // The last name of a call is the one it creates (the first for open and mkdir).
            QString name;
            QRegularExpressionMatchIterator names = quoted.globalMatch(arguments);
            while (names.hasNext()) {
                name = names.next().captured(1);
                if (call.startsWith(QStringLiteral("open")) || call.startsWith(QStringLiteral("mkdir"))
                    || call == QStringLiteral("creat"))
                    break;
            }
            const QString absolute = QDir::isAbsolutePath(name) ? name : QDir(work.path()).filePath(name);
            if (std::none_of(allowed.begin(), allowed.end(),
                             [&](const QString &prefix) { return absolute.startsWith(prefix); }))
                written << call + u' ' + absolute;
        }
        QVERIFY2(calls > 0, "the trace holds no call at all");
        written.removeDuplicates();
        QVERIFY2(written.isEmpty(), qPrintable(written.join(u'\n')));
    }
};

QTEST_GUILESS_MAIN(BrowserDiskTest)
#include "BrowserDiskTest.moc"
