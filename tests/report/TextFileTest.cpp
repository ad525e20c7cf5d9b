// Tests of the text-file output: exact bytes, replacing the target only after a complete write,
// and each failure on its row of the message table with the user's file left as it was.
#include "Errors.h"
#include "FileHelpers.h"
#include "NativeFile.h"
#include "TextFile.h"
#include "ViewerText.h"

#include <QFont>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTest>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

using namespace reporttest;

#ifdef Q_OS_UNIX
namespace {

QString loadFailureOf(const QString &path)
{
    try {
        readViewerDocument(path, QFont());
    } catch (const LoadError &error) {
        return error.message();
    }
    return QStringLiteral("<no error>");
}

// A fresh folder with a 64 KB disk of its own, to run out of room on; unmounted at the end.
class SmallDisk
{
public:
    SmallDisk()
        : m_mountPoint(QFile::encodeName(m_folder.path()))
    {
        if (!runningAsRoot())
            m_problem = QStringLiteral("mounting a small tmpfs needs root");
        else if (::mount("tmpfs", m_mountPoint.constData(), "tmpfs", 0, "size=64k") != 0)
            m_problem = QStringLiteral("cannot mount a tmpfs here: %1").arg(qt_error_string(errno));
    }
    ~SmallDisk()
    {
        if (m_problem.isEmpty())
            ::umount2(m_mountPoint.constData(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    // Why there is no small disk here, or nothing when there is one.
    QString problem() const { return m_problem; }
    QString path() const { return m_folder.path(); }
    QString filePath(const QString &name) const { return m_folder.filePath(name); }

private:
    QTemporaryDir m_folder;
    QByteArray m_mountPoint;
    QString m_problem;
};

} // namespace
#endif

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

#ifdef Q_OS_UNIX
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

    void saveThroughALinkWritesItsFileAndKeepsTheLink()
    {
        QTemporaryDir folder;
        const QString target = folder.filePath("target.txt");
        const QString link = folder.filePath("link.txt");
        QVERIFY(writeBytes(target, original));
        QVERIFY(QFile::link(target, link));
        saveText(link, "new");
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(readBytes(target), QByteArray("new"));
        QCOMPARE(entriesOf(folder.path()), (QStringList{"link.txt", "target.txt"}));
    }

#endif

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
#ifdef Q_OS_WIN
        // Windows' own numbers: ERROR_INVALID_NAME and ERROR_FILENAME_EXCED_RANGE have no row of
        // the table.
        QTest::newRow("characters Windows forbids") << "a<b>.txt" << "I/O error 123";
        QTest::newRow("read-only existing file") << "read-only.txt" << "File access denied";
#else
        QTest::newRow("name too long") << QString(300, QLatin1Char('n')) << "Invalid filename";
#endif
    }
    void failsByKind()
    {
        QFETCH(QString, target);
        QFETCH(QString, message);
        QTemporaryDir folder;
        QVERIFY(writeBytes(folder.filePath("existing.txt"), original));
        QVERIFY(QDir(folder.path()).mkdir("folder"));
        QStringList entries{"existing.txt", "folder"};
        if (target == "read-only.txt") {
            QVERIFY(writeBytes(folder.filePath(target), original));
            QVERIFY(QFile::setPermissions(folder.filePath(target), QFile::ReadOwner | QFile::ReadOther));
            entries << target;
        }
        const QString path = target == "<empty>" ? QString() : folder.filePath(target);
        QCOMPARE(failureOf([&] { saveText(path); }), message);
        QCOMPARE(readBytes(folder.filePath("existing.txt")), original);
        QCOMPARE(entriesOf(folder.path()), entries);
        if (target == "read-only.txt") {
            QCOMPARE(readBytes(path), original);
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        }
    }

#ifdef Q_OS_WIN
    // What the system's file functions are given: the extended form only where the plain one
    // would pass MAX_PATH, the temporary sibling's name counted.
    void longNamesTakeTheExtendedForm_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("given");
        const QString deep = QString(120, QChar(0x0416)) + u'\\' + QString(120, QChar(0x0416)) + u'\\';
        QTest::newRow("short") << "C:\\Отчеты\\a.txt" << "C:\\Отчеты\\a.txt";
        QTest::newRow("short, the temporary name long") << "C:\\" + QString(244, QLatin1Char('n')) + "\\a"
                                                         << "\\\\?\\C:\\" + QString(244, QLatin1Char('n')) + "\\a";
        QTest::newRow("long") << "C:\\" + deep + "a.txt" << "\\\\?\\C:\\" + deep + "a.txt";
        QTest::newRow("long, its dots and slashes resolved")
            << "C:/x/../" + QDir::fromNativeSeparators(deep) + "a.txt" << "\\\\?\\C:\\" + deep + "a.txt";
        QTest::newRow("long, on a network share")
            << "\\\\server\\share\\" + deep + "a.txt" << "\\\\?\\UNC\\server\\share\\" + deep + "a.txt";
        QTest::newRow("long, already extended") << "\\\\?\\C:\\" + deep + "a" << "\\\\?\\C:\\" + deep + "a";
        QTest::newRow("device") << "\\\\.\\NUL" << "\\\\.\\NUL";
    }
    void longNamesTakeTheExtendedForm()
    {
        QFETCH(QString, path);
        QFETCH(QString, given);
        QCOMPARE(QString::fromStdWString(nativefile::systemPath(path.toStdWString())), given);
    }
#endif

#ifdef Q_OS_UNIX
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
        const SmallDisk disk;
        if (!disk.problem().isEmpty())
            QSKIP(qPrintable(disk.problem()));
        const QString path = disk.filePath("report.txt");
        QVERIFY(writeBytes(path, original));
        // Half the room is left, so the old file fits but the new text does not.
        QVERIFY(writeBytes(disk.filePath("filler"), QByteArray(28 * 1024, 'f')));
        QCOMPARE(failureOf([&] { saveText(path, QByteArray(200000, 'x')); }),
                 QStringLiteral("I/O error %1").arg(ENOSPC));
        QCOMPARE(readBytes(path), original);
        QCOMPARE(entriesOf(disk.path()), (QStringList{"filler", "report.txt"}));
    }

    // A long output streamed to disk as it grows (weldcheck's schedules, in UTF-8): the target
    // changes only at the commit, and a disk that fills midway leaves it as it was.
    void streamedWriteReplacesTheTargetOnlyAtCommit_data()
    {
        QTest::addColumn<bool>("smallDisk");
        QTest::newRow("room enough") << false;
        QTest::newRow("disk fills midway") << true;
    }
    void streamedWriteReplacesTheTargetOnlyAtCommit()
    {
        QFETCH(bool, smallDisk);
        const SmallDisk disk;
        QTemporaryDir ordinary;
        if (smallDisk && !disk.problem().isEmpty())
            QSKIP(qPrintable(disk.problem()));
        const QString folder = smallDisk ? disk.path() : ordinary.path();
        const QString path = folder + QStringLiteral("/results.csv");
        QVERIFY(writeBytes(path, original));
        const QString line = QString(999, QChar(0x0416)) + QLatin1Char('\n'); // 1999 bytes in UTF-8
        QString failure;
        try {
            TextFileWriter file(path, TextEncoding::Utf8);
            file.streamToDisk();
            for (int i = 0; i < 100; ++i)
                file.write(line);
            QCOMPARE(readBytes(path), original);
            // Most of it is on disk already, beside the target.
            qint64 aside = 0;
            for (const QString &entry : entriesOf(folder))
                aside += entry == QLatin1String("results.csv") ? 0 : QFileInfo(folder + u'/' + entry).size();
            QVERIFY(aside >= 65536);
            file.commit();
        } catch (const InOutError &error) {
            failure = error.message();
        }
        QCOMPARE(failure, smallDisk ? QStringLiteral("I/O error %1").arg(ENOSPC) : QString());
        QCOMPARE(readBytes(path), smallDisk ? original : line.toUtf8().repeated(100));
        QCOMPARE(entriesOf(folder), QStringList{"results.csv"});
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

    void pipesAndSocketsNeverBlock_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("named pipe without a reader") << "fifo";
        QTest::newRow("named pipe with a waiting reader") << "fifo with reader";
        QTest::newRow("socket") << "socket";
    }
    void pipesAndSocketsNeverBlock()
    {
        QFETCH(QString, kind);
        QTemporaryDir folder;
        const QString path = folder.filePath("pipe");
        const QByteArray name = QFile::encodeName(path);
        int other = -1;
        if (kind.startsWith("fifo")) {
            QVERIFY(::mkfifo(name.constData(), 0666) == 0);
            if (kind == "fifo with reader")
                other = ::open(name.constData(), O_RDONLY | O_NONBLOCK);
        } else {
            other = ::socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un address {};
            address.sun_family = AF_UNIX;
            qstrncpy(address.sun_path, name.constData(), sizeof address.sun_path);
            QVERIFY(::bind(other, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0);
            QVERIFY(::listen(other, 1) == 0);
        }
        const QString loadMessage = loadFailureOf(path);
        const QString saveMessage = failureOf([&] { saveText(path, "text"); });
        if (other >= 0)
            ::close(other);
        QCOMPARE(loadMessage, "Cannot open file \"" + QDir::toNativeSeparators(path) + "\". " + qt_error_string(ENXIO));
        QCOMPARE(saveMessage, QStringLiteral("File access denied"));
        QCOMPARE(entriesOf(folder.path()), QStringList{"pipe"});
    }

    void rootKeepsTheOwnerAndModeOfAnotherUsersFile()
    {
        if (!runningAsRoot())
            QSKIP("only root can give a file to another user");
        QTemporaryDir folder;
        const QString path = folder.filePath("theirs.txt");
        QVERIFY(writeBytes(path, original));
        const QByteArray name = QFile::encodeName(path);
        QVERIFY(::chown(name.constData(), 65534, 65534) == 0);
        QVERIFY(::chmod(name.constData(), 0640) == 0);
        const struct stat before = statusOf(path);
        saveText(path, "new");
        const struct stat after = statusOf(path);
        QCOMPARE(readBytes(path), QByteArray("new"));
        QCOMPARE(after.st_uid, uid_t(65534));
        QCOMPARE(after.st_gid, gid_t(65534));
        QCOMPARE(after.st_mode & 07777, mode_t(0640));
        // Still the safe road: a new file took the old one's place.
        QVERIFY(after.st_ino != before.st_ino);
        QCOMPARE(entriesOf(folder.path()), QStringList{"theirs.txt"});
    }

    void rewritesInPlaceWhenThereIsNoRoomForACopy()
    {
        const SmallDisk disk;
        if (!disk.problem().isEmpty())
            QSKIP(qPrintable(disk.problem()));
        // 40 KB of 64 KB taken: 30 KB fit in place, not beside the old file.
        const QString path = disk.filePath("report.txt");
        QVERIFY(writeBytes(path, QByteArray(40 * 1024, 'o')));
        const ino_t inode = statusOf(path).st_ino;
        QCOMPARE(failureOf([&] { saveText(path, QByteArray(30 * 1024, 'n')); }), QStringLiteral("<no error>"));
        QCOMPARE(readBytes(path), QByteArray(30 * 1024, 'n'));
        QCOMPARE(statusOf(path).st_ino, inode);
        QCOMPARE(entriesOf(disk.path()), QStringList{"report.txt"});
    }

    // The cases that need another user's files and folders: root prepares them in a folder that
    // user can reach, and InPlaceAsNobodyTest saves there as that user.
    void inPlaceCasesAsNobody()
    {
        if (!runningAsRoot())
            QSKIP("preparing files of two users needs root");
        QTemporaryDir fixture(QStringLiteral("/tmp/weld-in-place-XXXXXX"));
        QVERIFY(fixture.isValid());
        const auto native = [&](const QString &name) { return QFile::encodeName(fixture.filePath(name)); };
        QVERIFY(::chmod(native("").constData(), 0755) == 0);
        // A folder of root's holding a file of nobody's.
        QVERIFY(::mkdir(native("locked").constData(), 0755) == 0);
        QVERIFY(writeBytes(fixture.filePath("locked/mine.txt"), original));
        QVERIFY(::chown(native("locked/mine.txt").constData(), 65534, 65534) == 0);
        // A folder everyone may write, holding root's file that everyone may write.
        QVERIFY(::mkdir(native("shared").constData(), 0777) == 0);
        QVERIFY(::chmod(native("shared").constData(), 0777) == 0);
        QVERIFY(writeBytes(fixture.filePath("shared/theirs.txt"), original));
        QVERIFY(::chmod(native("shared/theirs.txt").constData(), 0666) == 0);
        // A nearly full disk of root's with a file of nobody's on it.
        QVERIFY(::mkdir(native("full").constData(), 0755) == 0);
        if (::mount("tmpfs", native("full").constData(), "tmpfs", 0, "size=64k,mode=0755") != 0)
            QSKIP(qPrintable(QStringLiteral("cannot mount a tmpfs here: %1").arg(qt_error_string(errno))));
        const bool filled = writeBytes(fixture.filePath("full/mine.txt"), QByteArray(40 * 1024, 'o'))
                            && ::chown(native("full/mine.txt").constData(), 65534, 65534) == 0
                            && writeBytes(fixture.filePath("full/filler"), QByteArray(20 * 1024, 'f'));
        QProcessEnvironment environment;
        environment.insert(QString::fromLatin1(inPlaceFixtureVariable), fixture.path());
        const ChildRun run = filled ? runUnprivileged(QStringLiteral(WELD_IN_PLACE_CHILD), environment)
                                    : ChildRun{};
        ::umount2(native("full").constData(), MNT_DETACH);
        QVERIFY(filled);
        if (!run.started || run.exitCode == 126 || run.exitCode == 127)
            QSKIP(qPrintable("cannot run a child as nobody here: " + run.output));
        QVERIFY2(run.exitCode == 0, qPrintable(run.output));
        QVERIFY2(run.output.contains(QRegularExpression("Totals: [1-9]\\d* passed, 0 failed, 0 skipped")),
                 qPrintable(run.output));
    }

#endif

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
