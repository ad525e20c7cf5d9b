// The program's pictures: formats and sizes as stored, the JPEG decoder, and the scaling rule.
#include "JpegDecoder.h"
#include "PictureBox.h"
#include "Resources.h"

#include <QRandomGenerator>
#include <QSet>
#include <QTest>
#include <QtEndian>

namespace {

quint32 le32(const QByteArray &bytes, int at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

quint16 le16(const QByteArray &bytes, int at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

quint16 be16(const QByteArray &bytes, qsizetype at)
{
    return qFromBigEndian<quint16>(bytes.constData() + at);
}

// The segment with `marker` (0xFFC0 for a baseline frame), found by walking the segments.
qsizetype findSegment(const QByteArray &jpeg, quint16 marker)
{
    qsizetype at = 2;
    while (at + 4 <= jpeg.size()) {
        const quint16 found = be16(jpeg, at);
        if (found == marker)
            return at;
        if ((found & 0xff00) != 0xff00 || found == 0xffda)
            return -1;
        at += 2 + be16(jpeg, at + 2);
    }
    return -1;
}

} // namespace

class PicturesTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void schemeIsUncompressed24BitBitmap()
    {
        const QByteArray bmp = resourceBytes(QStringLiteral(":/scheme.bmp"));
        QVERIFY(bmp.startsWith("BM"));
        QCOMPARE(le32(bmp, 18), 525u);  // width
        QCOMPARE(le32(bmp, 22), 466u);  // height, bottom-up
        QCOMPARE(le16(bmp, 28), 24);    // bits per pixel
        QCOMPARE(le32(bmp, 30), 0u);    // BI_RGB: no compression
        QCOMPARE(schemePicture().size(), QSize(525, 466));
    }

    void designCodePagesAreBaselineJfifAt96Dpi_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");
        QTest::newRow("page 1") << QStringLiteral(":/design-code-1.jpg") << QSize(827, 691);
        QTest::newRow("page 2") << QStringLiteral(":/design-code-2.jpg") << QSize(842, 341);
    }

    void designCodePagesAreBaselineJfifAt96Dpi()
    {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        const QByteArray jpeg = resourceBytes(path);
        QCOMPARE(be16(jpeg, 0), quint16(0xffd8));
        QCOMPARE(be16(jpeg, 2), quint16(0xffe0)); // APP0 first
        QCOMPARE(jpeg.mid(6, 5), QByteArray("JFIF\0", 5));
        QCOMPARE(int(jpeg[13]), 1); // density in dots per inch
        QCOMPARE(be16(jpeg, 14), quint16(96));
        QCOMPARE(be16(jpeg, 16), quint16(96));
        const qsizetype frame = findSegment(jpeg, 0xffc0); // SOF0: baseline sequential
        QVERIFY(frame > 0);
        QCOMPARE(int(jpeg[frame + 4]), 8); // bits per sample
        QCOMPARE(int(be16(jpeg, frame + 5)), size.height());
        QCOMPARE(int(be16(jpeg, frame + 7)), size.width());
        QCOMPARE(int(jpeg[frame + 9]), 3); // components

        const QImage decoded = decodeJpeg(jpeg, path);
        QCOMPARE(decoded.size(), size);
        // A page of dark text on a light ground, not an empty or garbled image.
        QCOMPARE(QColor(decoded.pixel(2, size.height() / 2)).lightness() > 240, true);
        int dark = 0;
        for (int y = 0; y < size.height(); y += 3)
            for (int x = 0; x < size.width(); x += 3)
                dark += QColor(decoded.pixel(x, y)).lightness() < 100;
        QVERIFY(dark > 500);
    }

    void damagedJpegGivesClearError_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("reason");
        const QByteArray page = resourceBytes(QStringLiteral(":/design-code-2.jpg"));
        QByteArray zeroWidth = page;
        const qsizetype frame = findSegment(page, 0xffc0);
        zeroWidth[frame + 7] = 0;
        zeroWidth[frame + 8] = 0;
        QTest::newRow("empty") << QByteArray() << QStringLiteral("empty");
        QTest::newRow("not a JPEG") << QByteArray("BM this is no JPEG at all") << QStringLiteral("Not a JPEG file");
        QTest::newRow("header only") << page.left(frame + 12) << QStringLiteral("");
        QTest::newRow("cut in half") << page.left(page.size() / 2) << QStringLiteral("Premature end");
        QTest::newRow("zero width") << zeroWidth << QStringLiteral("");
    }

    void damagedJpegGivesClearError()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, reason);
        try {
            decodeJpeg(data, QStringLiteral("page.jpg"));
            QFAIL("a damaged JPEG was decoded");
        } catch (const PictureError &error) {
            QVERIFY2(error.message().startsWith(QStringLiteral("Cannot decode the picture \"page.jpg\": ")),
                     qPrintable(error.message()));
            QVERIFY2(error.message().contains(reason), qPrintable(error.message()));
            QVERIFY(error.message().size() > 40);
        }
    }

    void randomlyDamagedJpegDecodesOrFailsCleanly()
    {
        const QByteArray page = resourceBytes(QStringLiteral(":/design-code-2.jpg"));
        QRandomGenerator random(20091001); // fixed, so a failure can be repeated
        int failures = 0;
        for (int round = 0; round < 150; ++round) {
            QByteArray damaged = page;
            const int flips = 1 + int(random.bounded(8));
            for (int flip = 0; flip < flips; ++flip)
                damaged[random.bounded(int(damaged.size()))] = char(random.bounded(256));
            try {
                QCOMPARE(decodeJpeg(damaged, QStringLiteral("page.jpg")).size(), QSize(842, 341));
            } catch (const PictureError &) {
                ++failures;
            }
        }
        QVERIFY(failures > 0); // most damage is noticed; the rest decodes to a picture of the right size
    }

    void proportionalScaling_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QSize>("box");
        QTest::addColumn<QSize>("drawn");
        QTest::newRow("the scheme in its box") << QSize(525, 466) << QSize(241, 217) << QSize(241, 213);
        QTest::newRow("wide, width limits") << QSize(400, 100) << QSize(200, 200) << QSize(200, 50);
        QTest::newRow("wide, height limits") << QSize(300, 200) << QSize(300, 100) << QSize(150, 100);
        QTest::newRow("tall, height limits") << QSize(100, 300) << QSize(200, 150) << QSize(50, 150);
        QTest::newRow("tall, width limits") << QSize(200, 300) << QSize(100, 300) << QSize(100, 150);
        QTest::newRow("square takes the height first") << QSize(50, 50) << QSize(80, 60) << QSize(60, 60);
        QTest::newRow("truncated, not rounded") << QSize(3, 2) << QSize(5, 5) << QSize(5, 3);
        QTest::newRow("smaller picture is enlarged") << QSize(10, 5) << QSize(100, 100) << QSize(100, 50);
        QTest::newRow("empty picture") << QSize(0, 0) << QSize(10, 10) << QSize(0, 0);
    }

    void proportionalScaling()
    {
        QFETCH(QSize, picture);
        QFETCH(QSize, box);
        QFETCH(QSize, drawn);
        QCOMPARE(PictureBox::proportionalSize(picture, box), drawn);
    }

    void toolbarGlyphsAreTwoGlyphsOnOlive_data()
    {
        QTest::addColumn<Glyph>("glyph");
        QTest::newRow("open folder") << Glyph::OpenFolder;
        QTest::newRow("diskette") << Glyph::Diskette;
        QTest::newRow("question mark") << Glyph::QuestionMark;
        QTest::newRow("printer") << Glyph::Printer;
        QTest::newRow("exit") << Glyph::Exit;
    }

    void toolbarGlyphsAreTwoGlyphsOnOlive()
    {
        QFETCH(Glyph, glyph);
        const QImage picture = toolbarGlyph(glyph);
        QCOMPARE(picture.size(), QSize(40, 20));
        const QColor olive(128, 128, 0);
        QCOMPARE(picture.pixelColor(0, 19), olive);
        // Both halves hold a drawing, and the greyed one uses only greys and white.
        int normal = 0, greyed = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x) {
                normal += picture.pixelColor(x, y) != olive;
                const QColor disabled = picture.pixelColor(20 + x, y);
                if (disabled != olive) {
                    ++greyed;
                    QCOMPARE(disabled.red(), disabled.green());
                    QCOMPARE(disabled.green(), disabled.blue());
                }
            }
        QVERIFY(normal > 30);
        QVERIFY(greyed > 30);
    }

    void toolbarGlyphsDiffer()
    {
        QSet<QByteArray> seen;
        for (Glyph glyph : {Glyph::OpenFolder, Glyph::Diskette, Glyph::QuestionMark, Glyph::Printer, Glyph::Exit}) {
            const QImage picture = toolbarGlyph(glyph);
            seen.insert(QByteArray(reinterpret_cast<const char *>(picture.constBits()), picture.sizeInBytes()));
        }
        QCOMPARE(seen.size(), 5);
    }

    void programIconIs32x32In16ColoursWithTransparency()
    {
        const QImage icon = programIconImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(icon.size(), QSize(32, 32));
        QSet<QRgb> colours;
        int transparent = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const QRgb pixel = icon.pixel(x, y);
                QVERIFY(qAlpha(pixel) == 0 || qAlpha(pixel) == 255);
                if (qAlpha(pixel) == 0)
                    ++transparent;
                else
                    colours.insert(pixel);
            }
        QVERIFY(colours.size() <= 16);
        QVERIFY(transparent > 100);
        QVERIFY(transparent < 32 * 32 - 100);
        QVERIFY(!programIcon().isNull());
    }

    void iconFileHoldsTheSamePicture()
    {
        const QByteArray ico = resourceBytes(QStringLiteral(":/weldcalc.ico"));
        QCOMPARE(le16(ico, 2), 1); // an icon, one image
        QCOMPARE(le16(ico, 4), 1);
        QCOMPARE(int(uchar(ico[6])), 32);
        QCOMPARE(int(uchar(ico[7])), 32);
        QCOMPARE(le16(ico, 6 + 6), 4); // four bits a pixel: sixteen colours
        const QImage fromIco = QImage::fromData(ico, "ICO");
        if (fromIco.isNull())
            QSKIP("Qt's icon reader is not installed");
        QCOMPARE(fromIco.convertToFormat(QImage::Format_ARGB32), programIconImage().convertToFormat(QImage::Format_ARGB32));
    }
};

QTEST_MAIN(PicturesTest)
#include "PicturesTest.moc"
