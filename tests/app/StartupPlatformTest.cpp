// The platform and font engine the program starts with: Qt's own choice on Windows, FreeType
// under Wine, and always what the user set.
#include "StartupPlatform.h"
#include "Wine.h"

#include <QTest>

class StartupPlatformTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void choice_data()
    {
        QTest::addColumn<bool>("underWine");
        QTest::addColumn<bool>("platformGiven");
        QTest::addColumn<QByteArray>("platform"); // empty: none set
        QTest::newRow("Windows or Linux") << false << false << QByteArray();
        QTest::newRow("Wine") << true << false << QByteArray("windows:fontengine=freetype");
        QTest::newRow("Wine, the user's platform") << true << true << QByteArray();
        QTest::newRow("the user's platform") << false << true << QByteArray();
    }
    void choice()
    {
        QFETCH(bool, underWine);
        QFETCH(bool, platformGiven);
        QFETCH(QByteArray, platform);
        QCOMPARE(chosenPlatform(underWine, platformGiven).value_or(QByteArray()), platform);
    }

    void wineIsDetected()
    {
#ifdef Q_OS_WIN
        // The tests' Wine environment always sets WINEDEBUG; Windows itself never does.
        QCOMPARE(runsUnderWine(), qEnvironmentVariableIsSet("WINEDEBUG"));
#else
        QVERIFY(!runsUnderWine());
#endif
    }
};

QTEST_GUILESS_MAIN(StartupPlatformTest)

#include "StartupPlatformTest.moc"
