// The error box's full stop and the handler guard that brings errors to it.
#include "Errors.h"
#include "HandlerGuard.h"
#include "RecordingInteraction.h"

#include <QPushButton>
#include <QTest>

class ErrorBoxTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fullStopFollowsLastCharacter_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letter") << "File access denied" << "File access denied.";
        QTest::newRow("digit") << "I/O error 28" << "I/O error 28.";
        QTest::newRow("Cyrillic letter") << "Ошибка" << "Ошибка.";
        QTest::newRow("apostrophe") << "'' is not a valid floating point value"
                                    << "'' is not a valid floating point value.";
        QTest::newRow("full stop") << "Done." << "Done.";
        QTest::newRow("exclamation") << "Длина шва меньше допустимой!" << "Длина шва меньше допустимой!";
        QTest::newRow("closing parenthesis") << "(x)" << "(x)";
        QTest::newRow("double quote") << "Cannot open \"a\"" << "Cannot open \"a\"";
        QTest::newRow("space") << "trailing " << "trailing ";
        QTest::newRow("hyphen sorts before the full stop") << "a-" << "a-";
        QTest::newRow("slash sorts after it") << "a/" << "a/.";
        QTest::newRow("outside the code page") << QString::fromUtf8("snow ☃") << QString::fromUtf8("snow ☃.");
        QTest::newRow("empty") << "" << "";
    }
    void fullStopFollowsLastCharacter()
    {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        QCOMPARE(withErrorFullStop(message), shown);
    }

    void guardShowsErrorAndKeepsEarlierSteps()
    {
        RecordingInteraction interaction;
        int stepsDone = 0;
        runGuarded([&] {
            ++stepsDone;
            throw ZeroDivideError();
            ++stepsDone; // never reached
        });
        QCOMPARE(stepsDone, 1);
        QCOMPARE(interaction.errors(), QStringList{"Floating point division by zero."});
    }

    void guardReportsForeignExceptions()
    {
        RecordingInteraction interaction;
        runGuarded([] { throw std::runtime_error("boom"); });
        QCOMPARE(interaction.errors(), QStringList{"boom."});
    }

    void connectedHandlerReceivesSenderAndIsGuarded()
    {
        RecordingInteraction interaction;
        QPushButton button;
        struct Receiver : QObject
        {
            QObject *sender = nullptr;
            void Click(QObject *Sender)
            {
                sender = Sender;
                throw ConversionError(QStringLiteral("x"));
            }
        } receiver;
        connectHandler(&button, &QPushButton::clicked, &receiver, &Receiver::Click);
        button.click();
        QCOMPARE(receiver.sender, &button);
        QCOMPARE(interaction.errors(), QStringList{"'x' is not a valid floating point value."});
    }
};

QTEST_MAIN(ErrorBoxTest)
#include "ErrorBoxTest.moc"
