// Placement, pixel fonts and colours of the reference windows.
#include "WindowLook.h"

#include <QWidget>

void placeWindow(QWidget *window, int left, int top, int outerWidth, int outerHeight)
{
    window->resize(outerWidth - designedFrameWidth, outerHeight - designedFrameHeight);
    window->move(left, top); // a top-level's position is that of its frame
}

void useDesignedPixelFonts(QWidget *window)
{
    QList<QWidget *> controls{window};
    controls += window->findChildren<QWidget *>();
    // Parents come before their children, so inherited fonts are already in pixels.
    for (QWidget *control : controls) {
        QFont font = control->font();
        if (font.pixelSize() > 0)
            continue;
        font.setPixelSize(qRound(font.pointSizeF() * 96.0 / 72.0));
        control->setFont(font);
    }
}

void setColour(QWidget *control, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = control->palette();
    palette.setColor(role, colour);
    control->setPalette(palette);
}
