// Placing top-level windows at their designed frames.
#include "WindowPlacement.h"

#include <QWidget>

void placeWindow(QWidget *window, int left, int top, int outerWidth, int outerHeight)
{
    window->resize(outerWidth - designedFrameWidth, outerHeight - designedFrameHeight);
    window->move(left, top); // a top-level's position is that of its frame
}
