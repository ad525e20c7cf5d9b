// The child of TextFileTest::inPlaceCasesAsNobody: saves as user nobody into the folders that
// its parent prepared as root, named by the environment. Not a test of its own.
#include "Errors.h"
#include "FileHelpers.h"
#include "TextFile.h"

#include <QApplication>
#include <QFileInfo>
#include <QTest>

#include <cerrno>
#include <sys/stat.h>

using namespace reporttest;

// Saves as user nobody into the folders that TextFileTest::inPlaceCasesAsNobody prepared as root.
class InPlaceAsNobodyTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void savesInPlaceWhereNoCopyCanGo_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("own file in a folder of another user") << "locked/mine.txt" << QByteArray("new") << "<no error>";
        QTest::newRow("another user's file in a shared folder") << "shared/theirs.txt" << QByteArray("new") << "<no error>";
        QTest::newRow("new file in a folder of another user") << "locked/new.txt" << QByteArray("new")
                                                              << "File access denied";
        QTest::newRow("no room even in place") << "full/mine.txt" << QByteArray(200000, 'x')
                                               << QStringLiteral("I/O error %1").arg(ENOSPC);
    }
    void savesInPlaceWhereNoCopyCanGo()
    {
        QFETCH(QString, target);
        QFETCH(QByteArray, text);
        QFETCH(QString, message);
        const QDir fixture(qEnvironmentVariable(inPlaceFixtureVariable));
        const QString path = fixture.filePath(target);
        const QString folder = QFileInfo(path).path();
        const QStringList entries = entriesOf(folder);
        const QByteArray before = readBytes(path);
        const struct stat statusBefore = statusOf(path);
        QCOMPARE(failureOf([&] { saveText(path, text); }), message);
        QCOMPARE(readBytes(path), message == "<no error>" ? text : before);
        const struct stat statusAfter = statusOf(path);
        QCOMPARE(statusAfter.st_uid, statusBefore.st_uid);
        QCOMPARE(statusAfter.st_mode, statusBefore.st_mode);
        QCOMPARE(entriesOf(folder), entries);
    }
};

QTEST_MAIN(InPlaceAsNobodyTest)
#include "TextFileInPlaceChild.moc"
