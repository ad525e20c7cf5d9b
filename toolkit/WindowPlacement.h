// Where a top-level window opens: its designed outer frame, drawn around a client area.
#pragma once

class QWidget;

// The windows were designed with a classic Windows frame around them: 4-pixel borders and a
// 19-pixel caption. The client area is the outer size less that frame.
inline constexpr int designedFrameWidth = 8;
inline constexpr int designedFrameHeight = 27;

// Puts a top-level window's frame at (left, top) with the client area of the designed outer size.
// Each window's constructor places it, and only there: a form sets its window's size but never
// its position, so the forms (.ui) hold the controls' layout and no geometry of the window itself.
void placeWindow(QWidget *window, int left, int top, int outerWidth, int outerHeight);
