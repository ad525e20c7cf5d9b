// Pixel-exact fonts for Designer forms, which store font sizes in whole points, and the free
// substitutes of the designed fonts.
#pragma once

class QWidget;

// The windows were designed in pixels at 96 dpi. Gives every control of `window` that has no
// pixel height yet the height its point size means at 96 dpi (8 pt → 11 px, 10 → 13, 12 → 16,
// 14 → 19), so the captions keep their designed size on screens of any resolution.
void useDesignedPixelFonts(QWidget *window);

// The windows are laid out for the Windows fonts. Where the system lacks them (Linux, and Wine,
// which has MS Sans Serif only as a bitmap face and no Arial), substitutes Liberation Sans, which
// has the metrics of the closest of them and Cyrillic letters, for MS Sans Serif, Tahoma and Arial.
void substituteDesignedFonts();
