// Tests of the messages of the program's error types.
#include "Errors.h"

#include <QTest>

class ErrorsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void inOutMessages_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");

        QTest::newRow("not found") << 2 << "File not found";
        QTest::newRow("invalid name") << 3 << "Invalid filename";
        QTest::newRow("too many files") << 4 << "Too many open files";
        QTest::newRow("access denied") << 5 << "File access denied";
        QTest::newRow("read beyond end") << 100 << "Read beyond end of file";
        QTest::newRow("disk full") << 101 << "Disk full";
        QTest::newRow("numeric input") << 106 << "Invalid numeric input";
        QTest::newRow("sharing violation") << 32 << "I/O error 32";
        QTest::newRow("full disk of the system") << 112 << "I/O error 112";
        QTest::newRow("between the layer's codes") << 103 << "I/O error 103";
        QTest::newRow("zero") << 0 << "I/O error 0";
    }

    void inOutMessages()
    {
        QFETCH(int, code);
        QFETCH(QString, message);
        QCOMPARE(InOutError::messageFor(code), message);
        const InOutError error(code);
        QCOMPARE(error.message(), message);
        QCOMPARE(error.code(), code);
    }

    void otherFailureIgnoresTheTable()
    {
        // A platform number that coincides with a table code still reads as a number.
        const InOutError error = InOutError::otherFailure(5);
        QCOMPARE(error.message(), QStringLiteral("I/O error 5"));
        QCOMPARE(error.code(), 5);
        QCOMPARE(InOutError::otherFailure(28).message(), QStringLiteral("I/O error 28"));
    }

    void loadMessages()
    {
        QCOMPARE(LoadError::cannotOpen(QStringLiteral("/home/u/Св.шов№1.txt"), QStringLiteral("No such file or directory"))
                     .message(),
                 QStringLiteral("Cannot open file \"/home/u/Св.шов№1.txt\". No such file or directory"));
        QCOMPARE(LoadError::failedToLoadStream().message(), QStringLiteral("Failed to Load Stream"));
    }

    void arithmeticMessages()
    {
        QCOMPARE(ZeroDivideError().message(), QStringLiteral("Floating point division by zero"));
        QCOMPARE(InvalidOperationError().message(), QStringLiteral("Invalid floating point operation"));
        QCOMPARE(OverflowError().message(), QStringLiteral("Floating point overflow"));
    }

    void whatIsTheMessageInUtf8()
    {
        const ConversionError error(QStringLiteral("пять"));
        QCOMPARE(QString::fromUtf8(error.what()), error.message());
        const std::exception &plain = error;
        QCOMPARE(QByteArray(plain.what()), QStringLiteral("'пять' is not a valid floating point value").toUtf8());
    }
};

QTEST_GUILESS_MAIN(ErrorsTest)

#include "ErrorsTest.moc"
