// Picture boxes decode their pictures at the first showing, once, and report a failure once.
#include "Errors.h"
#include "PictureBox.h"
#include "RecordingInteraction.h"

#include <QSet>
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

    // One-pixel stripes, black and white: on a screen scaled by a fraction, repeating whole
    // pixels would draw some stripes twice as thick as others, so the box blends them instead;
    // at whole scales it keeps them sharp.
    void picturesOnScaledScreens_data()
    {
        QTest::addColumn<qreal>("screenScale");
        QTest::addColumn<bool>("proportional");
        QTest::addColumn<bool>("blended"); // colours other than the picture's own appear
        QTest::newRow("100 %") << 1.0 << false << false;
        QTest::newRow("150 %") << 1.5 << false << true;
        QTest::newRow("200 %") << 2.0 << false << false;
        QTest::newRow("stretched, 200 %") << 2.0 << true << true;
    }
    void picturesOnScaledScreens()
    {
        QFETCH(qreal, screenScale);
        QFETCH(bool, proportional);
        QFETCH(bool, blended);
        QImage stripes(16, 16, QImage::Format_RGB32);
        for (int x = 0; x < stripes.width(); ++x)
            for (int y = 0; y < stripes.height(); ++y)
                stripes.setPixel(x, y, x % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
        PictureBox box;
        box.resize(proportional ? QSize(24, 24) : stripes.size());
        box.setProportional(proportional);
        box.setPicture(stripes);
        QImage screen(box.size() * screenScale, QImage::Format_RGB32);
        screen.setDevicePixelRatio(screenScale);
        screen.fill(Qt::black);
        box.render(&screen);
        QSet<QRgb> colours;
        for (int x = 0; x < screen.width(); ++x)
            colours.insert(screen.pixel(x, screen.height() / 2));
        QCOMPARE(colours.size() > 2, blended);
    }
};

QTEST_MAIN(PictureBoxTest)
#include "PictureBoxTest.moc"
