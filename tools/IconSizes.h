// The program icon at the sizes a Linux desktop asks for, scaled from its one 32 × 32 drawing.
#pragma once

#include <QImage>
#include <QList>

// The sizes installed into the hicolor icon theme.
QList<int> desktopIconSizes();

// `icon` at `size` × `size`: blown up in whole pixels to a common multiple of both sizes, then
// averaged down, so the drawing's pixels stay square and sharp instead of smeared by
// interpolation; multiples of the source size are the pure enlargement.
QImage scaledIcon(const QImage &icon, int size);
