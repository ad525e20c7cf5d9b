// Tests of the text-file output: exact bytes, replacing the target only after a complete write,
// and each failure on its row of the message table with the user's file left as it was.
#include "Errors.h"
#include "FileHelpers.h"
#include "TextFile.h"
#include "ViewerText.h"

#include <QFont>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTest>

#include <cerrno>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace reporttest;

class TextFileTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writesBytesExactly_data()
    {
        QTest::addColumn<QStringList>("pieces"); // "L:" a line, "T:" text without line end
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("nothing") << QStringList{} << QByteArray();
        QTest::newRow("text without line end") << QStringList{"T:abc"} << QByteArray("abc");
        QTest::newRow("empty line") << QStringList{"L:"} << QByteArray("\r\n");
        QTest::newRow("Cyrillic, no byte-order mark")
            << QStringList{"L:Привет", "T:ё№"} << QByteArray("\xcf\xf0\xe8\xe2\xe5\xf2\r\n\xb8\xb9");
        QTest::newRow("line ends inside the text are kept as they are")
            << QStringList{"T:a\nb\rc"} << QByteArray("a\nb\rc");
        QTest::newRow("more than one buffer")
            << QStringList{"T:" + QString(70000, QLatin1Char('a')), "L:" + QString(70000, QChar(0x0416))}
            << QByteArray(70000, 'a') + QByteArray(70000, '\xc6') + "\r\n";
    }
    void writesBytesExactly()
    {
        QFETCH(QStringList, pieces);
        QFETCH(QByteArray, bytes);
        QTemporaryDir folder;
        const QString path = folder.filePath("out.txt");
        TextFileWriter file(path);
        for (const QString &piece : pieces) {
            if (piece.startsWith("L:"))
                file.writeLine(QStringView(piece).mid(2));
            else
                file.write(QStringView(piece).mid(2));
        }
        file.commit();
        QCOMPARE(readBytes(path), bytes);
    }

    void replacesTheTargetOnlyAtCommit()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath("report.txt");
        QVERIFY(writeBytes(path, original));
        {
            TextFileWriter file(path);
            file.writeLine(QString(100000, QLatin1Char('n')));
            QCOMPARE(readBytes(path), original);
            file.commit();
        }
        QCOMPARE(readBytes(path), QByteArray(100000, 'n') + "\r\n");
        QCOMPARE(entriesOf(folder.path()), QStringList{"report.txt"});
    }

    void abandonedWriteLeavesNothing()
    {
        QTemporaryDir folder;
        const QString existing = folder.filePath("existing.txt");
        QVERIFY(writeBytes(existing, original));
        {
            TextFileWriter replaced(existing);
            replaced.writeLine(u"half");
            TextFileWriter created(folder.filePath("new.txt"));
            created.writeLine(u"half");
        }
        QCOMPARE(readBytes(existing), original);
        QCOMPARE(entriesOf(folder.path()), QStringList{"existing.txt"});
    }

    void keepsTheTargetsPermissions()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath("shared.txt");
        QVERIFY(writeBytes(path, original));
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0640) == 0);
        saveText(path, "new");
        struct stat status {};
        QVERIFY(::stat(QFile::encodeName(path).constData(), &status) == 0);
        QCOMPARE(status.st_mode & 07777, mode_t(0640));

        // A new file gets the usual permissions, not the private ones of a temporary file.
        const QString created = folder.filePath("created.txt");
        const mode_t mask = ::umask(022);
        saveText(created, "new");
        ::umask(mask);
        QVERIFY(::stat(QFile::encodeName(created).constData(), &status) == 0);
        QCOMPARE(status.st_mode & 07777, mode_t(0644));
    }

    void unencodableTextLeavesTheTargetAlone()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath("report.txt");
        QVERIFY(writeBytes(path, original));
        QString message;
        try {
            TextFileWriter file(path);
            file.writeLine(u"Первая строка");
            file.write(u"ab\u2713");
            file.commit();
        } catch (const UnencodableTextError &error) {
            message = error.message();
        }
        QVERIFY2(message.contains(QChar(0x2713)) || message.contains("2713"), qPrintable(message));
        QCOMPARE(readBytes(path), original);
        QCOMPARE(entriesOf(folder.path()), QStringList{"report.txt"});
    }

    // Failures that need no privileges either way.
    void failsByKind_data()
    {
        QTest::addColumn<QString>("target"); // relative to the folder; "<empty>" for ""
        QTest::addColumn<QString>("message");
        QTest::newRow("missing folder") << "no such folder/report.txt" << "Invalid filename";
        QTest::newRow("a file taken for a folder") << "existing.txt/report.txt" << "Invalid filename";
        QTest::newRow("empty name") << "<empty>" << "Invalid filename";
        QTest::newRow("name of a folder") << "folder" << "File access denied";
        QTest::newRow("name too long") << QString(300, QLatin1Char('n')) << "Invalid filename";
    }
    void failsByKind()
    {
        QFETCH(QString, target);
        QFETCH(QString, message);
        QTemporaryDir folder;
        QVERIFY(writeBytes(folder.filePath("existing.txt"), original));
        QVERIFY(QDir(folder.path()).mkdir("folder"));
        const QString path = target == "<empty>" ? QString() : folder.filePath(target);
        QCOMPARE(failureOf([&] { saveText(path); }), message);
        QCOMPARE(readBytes(folder.filePath("existing.txt")), original);
        QCOMPARE(entriesOf(folder.path()), (QStringList{"existing.txt", "folder"}));
    }

    void fullDeviceGivesItsErrorNumber()
    {
        if (!QFileInfo::exists("/dev/full"))
            QSKIP("this system has no /dev/full");
        // A device cannot be replaced by a temporary file; it is written directly, and must stay
        // the device it is.
        QCOMPARE(failureOf([] { saveText("/dev/full"); }), QStringLiteral("I/O error %1").arg(ENOSPC));
        QVERIFY(!QFileInfo("/dev/full").isFile());
    }

    void fullDiskLeavesTheTargetAsItWas()
    {
        if (!runningAsRoot())
            QSKIP("mounting a small tmpfs needs root");
        QTemporaryDir folder;
        const QByteArray mountPoint = QFile::encodeName(folder.path());
        if (::mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP(qPrintable(QStringLiteral("cannot mount a tmpfs here: %1").arg(qt_error_string(errno))));
        const QString path = folder.filePath("report.txt");
        const bool written = writeBytes(path, original);
        // Half the room is left, so the old file fits but the new text does not.
        const bool filled = writeBytes(folder.filePath("filler"), QByteArray(28 * 1024, 'f'));
        const QString message = failureOf([&] { saveText(path, QByteArray(200000, 'x')); });
        const QByteArray after = readBytes(path);
        const QStringList entries = entriesOf(folder.path());
        ::umount2(mountPoint.constData(), MNT_DETACH);
        QVERIFY(written && filled);
        QCOMPARE(message, QStringLiteral("I/O error %1").arg(ENOSPC));
        QCOMPARE(after, original);
        QCOMPARE(entries, (QStringList{"filler", "report.txt"}));
    }

    void tooManyOpenFiles()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath("report.txt");
        QVERIFY(writeBytes(path, original));
        // With the limit at the lowest free descriptor no file can be opened, and nothing else
        // of this process is closed.
        rlimit saved {};
        QVERIFY(::getrlimit(RLIMIT_NOFILE, &saved) == 0);
        const int lowestFree = ::dup(0);
        QVERIFY(lowestFree >= 0);
        ::close(lowestFree);
        rlimit lowered = saved;
        lowered.rlim_cur = rlim_t(lowestFree);
        QVERIFY(::setrlimit(RLIMIT_NOFILE, &lowered) == 0);
        const QString message = failureOf([&] { saveText(path); });
        QVERIFY(::setrlimit(RLIMIT_NOFILE, &saved) == 0);
        QCOMPARE(message, QStringLiteral("Too many open files"));
        QCOMPARE(readBytes(path), original);
        QCOMPARE(entriesOf(folder.path()), QStringList{"report.txt"});
    }

    void writeAfterCommitIsAnError()
    {
        QTemporaryDir folder;
        TextFileWriter file(folder.filePath("once.txt"));
        file.writeLine(u"done");
        file.commit();
        QVERIFY_THROWS_EXCEPTION(InOutError, file.write(u"more"));
        QCOMPARE(readBytes(folder.filePath("once.txt")), QByteArray("done\r\n"));
    }
};

QTEST_MAIN(TextFileTest)

#include "TextFileTest.moc"
