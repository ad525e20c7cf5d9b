// Writers of the picture formats the program keeps among its resources.
#pragma once

#include <QImage>
#include <QString>
#include <QVector>

// The sixteen colours of the classic Windows palette; glyphs and the icon are drawn in them.
QVector<QRgb> windowsPalette16();

// A 24-bit, uncompressed, bottom-up Windows bitmap.
void writeBitmap24(const QImage &image, const QString &path);
// A 4-bit Windows bitmap in the sixteen-colour palette (every pixel must be one of its colours).
void writeBitmap4(const QImage &image, const QString &path);
// A baseline JFIF JPEG, three components, 8 bits each, 96 dots per inch.
void writeJpeg(const QImage &image, const QString &path, int quality);
// A one-image 32 × 32, 4-bit icon; fully transparent pixels go into the transparency mask.
void writeIcon(const QImage &image, const QString &path);
