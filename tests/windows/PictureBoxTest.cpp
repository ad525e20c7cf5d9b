// Picture boxes decode their pictures at the first showing, once, and report a failure once.
#include "Errors.h"
#include "PictureBox.h"
#include "RecordingInteraction.h"

#include <QTest>

class PictureBoxTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void decodesAtTheFirstShowingOnly()
    {
        int decodings = 0;
        PictureBox box;
        box.setPictureSource([&] {
            ++decodings;
            return QImage(30, 20, QImage::Format_RGB32);
        });
        QCOMPARE(decodings, 0);
        box.show();
        QCOMPARE(decodings, 1);
        box.hide();
        box.show();
        box.repaint();
        QCOMPARE(decodings, 1);
        QCOMPARE(box.picture().size(), QSize(30, 20));
    }

    void aFailingPictureIsReportedOnceAndLeavesTheBoxEmpty()
    {
        RecordingInteraction interaction;
        int attempts = 0;
        PictureBox box;
        box.setPictureSource([&]() -> QImage {
            ++attempts;
            throw WeldError(QStringLiteral("Картинка повреждена"));
        });
        box.show();
        box.repaint();
        box.hide();
        box.show();
        QCOMPARE(attempts, 1);
        QCOMPARE(interaction.errors(), QStringList{"Картинка повреждена."});
        QVERIFY(box.picture().isNull());
    }
};

QTEST_MAIN(PictureBoxTest)
#include "PictureBoxTest.moc"
