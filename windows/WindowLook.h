// How the reference windows take their designed place, colours and pixel-exact fonts.
#pragma once

#include <QColor>
#include <QPalette>

class QWidget;

// The named colours of the windows.
namespace colours {
inline const QColor cream(255, 251, 240);
inline const QColor navy(0, 0, 128);
inline const QColor teal(0, 128, 128);
inline const QColor black(0, 0, 0);
inline const QColor captionText(255, 255, 255); // COLOR_CAPTIONTEXT of the classic Windows scheme
} // namespace colours

// The windows were designed with a classic Windows frame around them: 4-pixel borders and a
// 19-pixel caption. The client area is the outer size less that frame.
inline constexpr int designedFrameWidth = 8;
inline constexpr int designedFrameHeight = 27;

// Puts a top-level window's frame at (left, top) with its client area of the designed outer size.
void placeWindow(QWidget *window, int left, int top, int outerWidth, int outerHeight);

// Sets one colour role of a control in every state (active, inactive, disabled).
void setColour(QWidget *control, QPalette::ColorRole role, const QColor &colour);
