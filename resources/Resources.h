// The program's resources: tool-bar pictures, the program icon, the scheme, the design-code
// pages and the fixed texts of the usage and method windows, built into the resources library.
#pragma once

#include "GlyphFiles.h"

#include <QByteArray>
#include <QIcon>
#include <QImage>
#include <QString>
#include <QStringList>

QImage toolbarGlyph(Glyph glyph);

// The 32 × 32, 16-colour program icon with its transparency, as an image and as a window icon.
QImage programIconImage();
QIcon programIcon();

// The scheme of the loaded joint (525 × 466).
QImage schemePicture();

// The stored bytes of a resource such as ":/design-code-1.jpg"; empty when there is none.
QByteArray resourceBytes(const QString &path);

// The lines of a fixed text, exactly as stored (UTF-8, one line per line of the file).
enum class FixedText { Usage, Method };
QStringList fixedTextLines(FixedText text);
