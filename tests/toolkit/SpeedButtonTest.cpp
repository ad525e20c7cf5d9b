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
