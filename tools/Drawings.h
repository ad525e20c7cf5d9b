// The drawings of the program's pictures, each into an image of its final size.
#pragma once

#include "GlyphFiles.h"

#include <QImage>
#include <QString>

// The joint: a plate welded to a support, with Lw, P, e and the loads M = P*e, Q = P (525 × 466).
QImage drawScheme();

// The two pages of design-code text on welded joints: 827 × 691 and 842 × 341.
QImage drawCodePage1();
QImage drawCodePage2();

// A tool-bar picture: the normal glyph and its greyed copy, 20 × 20 each, on olive.
QImage drawGlyphPicture(Glyph picture);

// The program icon, 32 × 32 in the sixteen colours, transparent around the drawing.
QImage drawProgramIcon();
