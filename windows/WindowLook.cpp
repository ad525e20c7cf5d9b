// Placement, pixel fonts and colours of the reference windows.
#include "WindowLook.h"

#include <QWidget>

void placeWindow(QWidget *window, int left, int top, int outerWidth, int outerHeight)
{
    window->resize(outerWidth - designedFrameWidth, outerHeight - designedFrameHeight);
    window->move(left, top); // a top-level's position is that of its frame
}

void setColour(QWidget *control, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = control->palette();
    palette.setColor(role, colour);
    control->setPalette(palette);
}
