// Access to the resources built from resources.qrc.
#include "Resources.h"

#include <QFile>

// The resource list is compiled into this static library; referencing its initialiser from here
// keeps the linker from dropping it from the programs that use these functions. (Outside any
// namespace, as the initialiser's declaration requires.)
static void ensureResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(resources);
        return true;
    }();
    Q_UNUSED(registered);
}

QByteArray resourceBytes(const QString &path)
{
    ensureResources();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

namespace {

// The pictures the start shows (the tool-bar glyphs, the icon) are 16-colour uncompressed
// bitmaps, read here rather than through Qt's image readers: those look for image plugins first,
// which costs the start more than a millisecond, and the icon's PNG would load the PNG decoder.

quint32 little32(const QByteArray &bytes, qsizetype at)
{
    if (at < 0 || at + 4 > bytes.size())
        return 0;
    const auto byte = [&](int i) { return quint32(uchar(bytes[at + i])) << (8 * i); };
    return byte(0) | byte(1) | byte(2) | byte(3);
}

// The 4-bit bitmap whose info header starts at `header`, `rows` rows high, as Qt's bitmap reader
// gives it (indexed colours, the header's resolution); a null picture when it is of another kind.
QImage fourBitPicture(const QByteArray &bytes, qsizetype header, int rows)
{
    const quint32 headerSize = little32(bytes, header);
    const int width = int(little32(bytes, header + 4));
    const quint32 planesAndBits = little32(bytes, header + 12);
    const quint32 colours = little32(bytes, header + 32);
    const qsizetype palette = header + headerSize;
    const qsizetype stride = (width * 4 + 31) / 32 * 4;
    const qsizetype pixels = palette + 4 * qsizetype(colours);
    if (headerSize != 40 || planesAndBits != (1 | 4 << 16) || little32(bytes, header + 16) != 0
        || width <= 0 || width > 256 || rows <= 0 || rows > 256 || colours < 1 || colours > 16
        || pixels + stride * rows > bytes.size())
        return {};
    QImage picture(width, rows, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (quint32 i = 0; i < colours; ++i) {
        const qsizetype at = palette + 4 * i;
        table << qRgb(uchar(bytes[at + 2]), uchar(bytes[at + 1]), uchar(bytes[at]));
    }
    picture.setColorTable(table);
    for (int y = 0; y < rows; ++y) {
        const char *row = bytes.constData() + pixels + stride * (rows - 1 - y); // bottom-up
        uchar *line = picture.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const uchar index = x % 2 ? uchar(row[x / 2]) & 0x0F : uchar(row[x / 2]) >> 4;
            if (index >= colours)
                return {};
            line[x] = index;
        }
    }
    if (const int perMetre = int(little32(bytes, header + 24)); perMetre > 0)
        picture.setDotsPerMeterX(perMetre);
    if (const int perMetre = int(little32(bytes, header + 28)); perMetre > 0)
        picture.setDotsPerMeterY(perMetre);
    return picture;
}

} // namespace

QImage toolbarGlyph(Glyph glyph)
{
    const QByteArray bytes = resourceBytes(QStringLiteral(":/") + glyphFileName(glyph));
    const QImage picture = fourBitPicture(bytes, 14, int(little32(bytes, 22)));
    if (picture.isNull() || little32(bytes, 10) != 14 + 40 + 4 * quint32(picture.colorCount()))
        return QImage::fromData(bytes, "BMP");
    return picture;
}

QImage programIconImage()
{
    // The icon file's one picture: the colours, then a mask whose set bits are transparent.
    const QByteArray bytes = resourceBytes(QStringLiteral(":/weldcalc.ico"));
    const qsizetype header = little32(bytes, 18);
    const int rows = int(little32(bytes, header + 8)) / 2;
    const QImage colours = fourBitPicture(bytes, header, rows);
    if (colours.isNull() || colours.width() != rows)
        return QImage::fromData(resourceBytes(QStringLiteral(":/weldcalc.png")), "PNG");
    QImage icon = colours.convertToFormat(QImage::Format_ARGB32);
    const qsizetype maskStride = (icon.width() + 31) / 32 * 4;
    const qsizetype mask = header + 40 + 4 * qsizetype(colours.colorCount())
                           + (icon.width() * 4 + 31) / 32 * 4 * rows;
    if (mask + maskStride * rows > bytes.size())
        return QImage::fromData(resourceBytes(QStringLiteral(":/weldcalc.png")), "PNG");
    for (int y = 0; y < rows; ++y) {
        const char *row = bytes.constData() + mask + maskStride * (rows - 1 - y);
        auto *line = reinterpret_cast<QRgb *>(icon.scanLine(y));
        for (int x = 0; x < icon.width(); ++x)
            if (uchar(row[x / 8]) & (0x80 >> (x % 8)))
                line[x] = 0;
    }
    return icon;
}

QIcon programIcon()
{
    return QIcon(QPixmap::fromImage(programIconImage()));
}

QImage schemePicture()
{
    return QImage::fromData(resourceBytes(QStringLiteral(":/scheme.bmp")), "BMP");
}

QStringList fixedTextLines(FixedText text)
{
    const QString path = text == FixedText::Usage ? QStringLiteral(":/usage.txt") : QStringLiteral(":/method.txt");
    QString content = QString::fromUtf8(resourceBytes(path));
    if (content.endsWith(QLatin1Char('\n')))
        content.chop(1);
    return content.split(QLatin1Char('\n'));
}
