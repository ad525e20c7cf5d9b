// The program icon at its desktop sizes: sharp enlargements, clean edges, and the committed files.
#include "IconSizes.h"

#include <QDir>
#include <QTest>
#include <stdexcept>

namespace {

// A red square of 8 × 8 pixels on a transparent 32 × 32 ground, with one yellow pixel inside.
QImage squareOnTransparent()
{
    QImage icon(32, 32, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    for (int y = 8; y < 16; ++y)
        for (int x = 8; x < 16; ++x)
            icon.setPixel(x, y, qRgba(255, 0, 0, 255));
    icon.setPixel(9, 9, qRgba(255, 255, 0, 255));
    return icon;
}

} // namespace

class IconSizesTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void enlargementsRepeatEachPixel_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("32, as drawn") << 32;
        QTest::newRow("64") << 64;
        QTest::newRow("128") << 128;
        QTest::newRow("256") << 256;
    }
    void enlargementsRepeatEachPixel()
    {
        QFETCH(int, size);
        const QImage source = squareOnTransparent();
        const QImage scaled = scaledIcon(source, size);
        QCOMPARE(scaled.size(), QSize(size, size));
        const int factor = size / 32;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                if (scaled.pixel(x, y) != source.pixel(x / factor, y / factor))
                    QFAIL(qPrintable(QStringLiteral("pixel %1, %2 differs").arg(x).arg(y)));
    }

    void otherSizesAverageWithoutDarkEdges_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("16") << 16;
        QTest::newRow("22") << 22;
        QTest::newRow("24") << 24;
        QTest::newRow("48") << 48;
    }
    void otherSizesAverageWithoutDarkEdges()
    {
        QFETCH(int, size);
        const QImage scaled = scaledIcon(squareOnTransparent(), size);
        QCOMPARE(scaled.size(), QSize(size, size));
        QCOMPARE(scaled.format(), QImage::Format_ARGB32);
        QCOMPARE(scaled.pixel(0, 0), qRgba(0, 0, 0, 0));
        QCOMPARE(scaled.pixel(size - 1, size - 1), qRgba(0, 0, 0, 0));
        // Well inside the square, away from the yellow pixel, the colour is untouched.
        const int inside = size * 14 / 32;
        QCOMPARE(scaled.pixel(inside, inside), qRgba(255, 0, 0, 255));
        // Half-covered edge pixels keep the square's colour: transparency does not blacken them.
        double coverage = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const QRgb pixel = scaled.pixel(x, y);
                coverage += qAlpha(pixel) / 255.0;
                if (qAlpha(pixel) > 0 && qAlpha(pixel) < 255)
                    QVERIFY2(qRed(pixel) >= 250 && qBlue(pixel) <= 5,
                             qPrintable(QStringLiteral("edge pixel %1, %2").arg(x).arg(y)));
            }
        // The square covers 64 of 1024 pixels and keeps that share of the area.
        QVERIFY(qAbs(coverage / (size * size) - 64.0 / 1024) < 0.002);
    }

    void rejectsWhatIsNotASquarePicture_data()
    {
        QTest::addColumn<QImage>("icon");
        QTest::addColumn<int>("size");
        QTest::newRow("null picture") << QImage() << 16;
        QTest::newRow("not square") << QImage(32, 16, QImage::Format_ARGB32) << 16;
        QTest::newRow("size 0") << squareOnTransparent() << 0;
        QTest::newRow("negative size") << squareOnTransparent() << -16;
    }
    void rejectsWhatIsNotASquarePicture()
    {
        QFETCH(QImage, icon);
        QFETCH(int, size);
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, scaledIcon(icon, size));
    }

    void committedThemeIconsAreTheScaledProgramIcon_data()
    {
        QTest::addColumn<int>("size");
        for (int size : desktopIconSizes())
            QTest::newRow(qPrintable(QString::number(size))) << size;
    }
    void committedThemeIconsAreTheScaledProgramIcon()
    {
        QFETCH(int, size);
        const QDir resources(QStringLiteral(WELD_RESOURCES_DIR));
        const QImage icon(resources.filePath(QStringLiteral("weldcalc.png")));
        QVERIFY(!icon.isNull());
        const QImage committed(
            resources.filePath(QStringLiteral("icons/hicolor/%1x%1/apps/weldcalc.png").arg(size)));
        QVERIFY2(!committed.isNull(), "missing; redraw the resources");
        QCOMPARE(committed.convertToFormat(QImage::Format_ARGB32), scaledIcon(icon, size));
    }
};

QTEST_GUILESS_MAIN(IconSizesTest)
#include "IconSizesTest.moc"
