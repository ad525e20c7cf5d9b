// Writers of the bitmaps, JPEGs and the icon, byte by byte so their formats are exactly known.
#include "PictureFiles.h"

#include <QFile>
#include <QtEndian>
#include <cstdio>
#include <jpeglib.h>
#include <stdexcept>

namespace {

void append16(QByteArray &bytes, quint16 value)
{
    char buffer[2];
    qToLittleEndian(value, buffer);
    bytes.append(buffer, 2);
}

void append32(QByteArray &bytes, quint32 value)
{
    char buffer[4];
    qToLittleEndian(value, buffer);
    bytes.append(buffer, 4);
}

void saveBytes(const QByteArray &bytes, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush())
        throw std::runtime_error("cannot write " + path.toStdString());
}

// BITMAPINFOHEADER; `height` is the stored height (an icon stores twice its own).
void appendInfoHeader(QByteArray &bytes, int width, int height, int bitsPerPixel, quint32 imageSize,
                      int colours)
{
    append32(bytes, 40);
    append32(bytes, quint32(width));
    append32(bytes, quint32(height));
    append16(bytes, 1);
    append16(bytes, quint16(bitsPerPixel));
    append32(bytes, 0); // BI_RGB, no compression
    append32(bytes, imageSize);
    append32(bytes, 3780); // 96 dots per inch in dots per metre
    append32(bytes, 3780);
    append32(bytes, quint32(colours));
    append32(bytes, 0);
}

void appendPalette(QByteArray &bytes, const QVector<QRgb> &palette)
{
    for (QRgb colour : palette) {
        bytes.append(char(qBlue(colour)));
        bytes.append(char(qGreen(colour)));
        bytes.append(char(qRed(colour)));
        bytes.append(char(0));
    }
}

int paletteIndex(const QVector<QRgb> &palette, QRgb colour)
{
    const int index = int(palette.indexOf(colour | 0xff000000u));
    if (index < 0)
        throw std::runtime_error("a pixel outside the sixteen-colour palette");
    return index;
}

// Rows bottom-up, four bits a pixel, each row padded to four bytes.
QByteArray fourBitRows(const QImage &image, const QVector<QRgb> &palette, bool skipTransparent)
{
    const int rowBytes = ((image.width() * 4 + 31) / 32) * 4;
    QByteArray rows;
    for (int y = image.height() - 1; y >= 0; --y) {
        QByteArray row(rowBytes, '\0');
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            const int index = skipTransparent && qAlpha(pixel) == 0 ? 0 : paletteIndex(palette, pixel);
            row[x / 2] = char(uchar(row[x / 2]) | (x % 2 == 0 ? index << 4 : index));
        }
        rows += row;
    }
    return rows;
}

void appendFileHeader(QByteArray &bytes, quint32 fileSize, quint32 pixelOffset)
{
    bytes.append("BM", 2);
    append32(bytes, fileSize);
    append32(bytes, 0);
    append32(bytes, pixelOffset);
}

} // namespace

QVector<QRgb> windowsPalette16()
{
    return {qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
            qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(128, 128, 128),
            qRgb(192, 192, 192), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
            qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
}

void writeBitmap24(const QImage &image, const QString &path)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const int rowBytes = ((rgb.width() * 24 + 31) / 32) * 4;
    const quint32 imageSize = quint32(rowBytes * rgb.height());
    QByteArray bytes;
    appendFileHeader(bytes, 14 + 40 + imageSize, 14 + 40);
    appendInfoHeader(bytes, rgb.width(), rgb.height(), 24, imageSize, 0);
    for (int y = rgb.height() - 1; y >= 0; --y) {
        QByteArray row(rowBytes, '\0');
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb pixel = rgb.pixel(x, y);
            row[3 * x] = char(qBlue(pixel));
            row[3 * x + 1] = char(qGreen(pixel));
            row[3 * x + 2] = char(qRed(pixel));
        }
        bytes += row;
    }
    saveBytes(bytes, path);
}

void writeBitmap4(const QImage &image, const QString &path)
{
    const QVector<QRgb> palette = windowsPalette16();
    const QByteArray rows = fourBitRows(image, palette, false);
    const quint32 offset = 14 + 40 + 16 * 4;
    QByteArray bytes;
    appendFileHeader(bytes, offset + quint32(rows.size()), offset);
    appendInfoHeader(bytes, image.width(), image.height(), 4, quint32(rows.size()), 16);
    appendPalette(bytes, palette);
    bytes += rows;
    saveBytes(bytes, path);
}

void writeIcon(const QImage &image, const QString &path)
{
    if (image.size() != QSize(32, 32))
        throw std::runtime_error("the icon must be 32 x 32");
    const QVector<QRgb> palette = windowsPalette16();
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const QByteArray colourRows = fourBitRows(argb, palette, true);
    // The mask: one bit a pixel, set where the pixel is transparent, rows padded to four bytes.
    QByteArray maskRows;
    for (int y = 31; y >= 0; --y) {
        QByteArray row(4, '\0');
        for (int x = 0; x < 32; ++x)
            if (qAlpha(argb.pixel(x, y)) == 0)
                row[x / 8] = char(uchar(row[x / 8]) | (0x80 >> (x % 8)));
        maskRows += row;
    }
    const quint32 imageBytes = 40 + 16 * 4 + quint32(colourRows.size() + maskRows.size());
    QByteArray bytes;
    append16(bytes, 0); // ICONDIR
    append16(bytes, 1);
    append16(bytes, 1);
    bytes.append(char(32)); // ICONDIRENTRY
    bytes.append(char(32));
    bytes.append(char(16));
    bytes.append(char(0));
    append16(bytes, 1);
    append16(bytes, 4);
    append32(bytes, imageBytes);
    append32(bytes, 6 + 16);
    appendInfoHeader(bytes, 32, 64, 4, quint32(colourRows.size() + maskRows.size()), 16);
    appendPalette(bytes, palette);
    bytes += colourRows;
    bytes += maskRows;
    saveBytes(bytes, path);
}

void writeJpeg(const QImage &image, const QString &path, int quality)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    FILE *file = std::fopen(QFile::encodeName(path).constData(), "wb");
    if (!file)
        throw std::runtime_error("cannot create " + path.toStdString());
    jpeg_compress_struct compressor{};
    jpeg_error_mgr errors{};
    compressor.err = jpeg_std_error(&errors); // the default handler ends the generator on an error
    jpeg_create_compress(&compressor);
    jpeg_stdio_dest(&compressor, file);
    compressor.image_width = JDIMENSION(rgb.width());
    compressor.image_height = JDIMENSION(rgb.height());
    compressor.input_components = 3;
    compressor.in_color_space = JCS_RGB;
    jpeg_set_defaults(&compressor);
    jpeg_set_quality(&compressor, quality, TRUE);
    compressor.write_JFIF_header = TRUE;
    compressor.density_unit = 1; // dots per inch
    compressor.X_density = 96;
    compressor.Y_density = 96;
    jpeg_start_compress(&compressor, TRUE);
    while (compressor.next_scanline < compressor.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(int(compressor.next_scanline)));
        jpeg_write_scanlines(&compressor, &row, 1);
    }
    jpeg_finish_compress(&compressor);
    jpeg_destroy_compress(&compressor);
    if (std::fclose(file) != 0)
        throw std::runtime_error("cannot write " + path.toStdString());
}
