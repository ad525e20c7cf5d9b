// Flat buttons: the two glyphs and the transparent colour of their picture.
#include "SpeedButton.h"

#include <QTest>

class SpeedButtonTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void glyphsSplitAndBottomLeftColourIsTransparent()
    {
        const QColor olive(128, 128, 0);
        QImage picture(40, 20, QImage::Format_RGB32);
        picture.fill(olive);
        picture.setPixelColor(5, 5, Qt::red);   // normal glyph
        picture.setPixelColor(25, 5, Qt::gray); // greyed glyph
        SpeedButton button;
        button.setGlyph(picture);

        const QImage normal = button.icon().pixmap(20, 20, QIcon::Normal).toImage();
        const QImage disabled = button.icon().pixmap(20, 20, QIcon::Disabled).toImage();
        QCOMPARE(normal.size(), QSize(20, 20));
        QCOMPARE(normal.pixelColor(5, 5), QColor(Qt::red));
        QCOMPARE(normal.pixelColor(0, 19).alpha(), 0);
        QCOMPARE(normal.pixelColor(10, 10).alpha(), 0);
        QCOMPARE(disabled.pixelColor(5, 5), QColor(Qt::gray));
        QCOMPARE(disabled.pixelColor(0, 0).alpha(), 0);
    }

    // Black and white one-pixel stripes: a screen scaled by a fraction gets the glyph at its own
    // resolution, blended; at 200 % every pixel doubles and no other colour appears.
    void glyphsOnScaledScreens_data()
    {
        QTest::addColumn<qreal>("screenScale");
        QTest::addColumn<int>("pixels"); // the side of the glyph drawn
        QTest::addColumn<bool>("blended");
        QTest::newRow("100 %") << 1.0 << 20 << false;
        QTest::newRow("150 %") << 1.5 << 30 << true;
        QTest::newRow("200 %") << 2.0 << 40 << false;
    }
    void glyphsOnScaledScreens()
    {
        QFETCH(qreal, screenScale);
        QFETCH(int, pixels);
        QFETCH(bool, blended);
        QImage picture(40, 20, QImage::Format_RGB32);
        picture.fill(QColor(128, 128, 0));
        for (int x = 2; x < 18; ++x)
            for (int y = 2; y < 18; ++y)
                picture.setPixel(x, y, x % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
        SpeedButton button;
        button.setGlyph(picture);
        QCOMPARE(button.iconSize(), QSize(20, 20));
        const QImage glyph = button.icon().pixmap(QSize(20, 20), screenScale).toImage();
        QCOMPARE(glyph.size(), QSize(pixels, pixels));
        bool other = false;
        for (int x = pixels / 5; x < pixels * 4 / 5; ++x) {
            const QRgb colour = glyph.pixel(x, pixels / 2);
            other = other || (colour != qRgb(0, 0, 0) && colour != qRgb(255, 255, 255));
        }
        QCOMPARE(other, blended);
    }

    void reportsMouseMovesWithoutButtons()
    {
        SpeedButton button;
        button.resize(50, 20);
        QList<QPoint> moves;
        connect(&button, &SpeedButton::mouseMoved, &button,
                [&](Qt::KeyboardModifiers, int x, int y) { moves << QPoint(x, y); });
        QMouseEvent move(QEvent::MouseMove, QPointF(7, 9), QPointF(7, 9), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(&button, &move);
        QCOMPARE(moves, QList<QPoint>{QPoint(7, 9)});
    }
};

QTEST_MAIN(SpeedButtonTest)
#include "SpeedButtonTest.moc"
