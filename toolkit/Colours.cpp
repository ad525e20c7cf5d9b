// Giving controls their colours.
#include "Colours.h"

#include <QWidget>

void setColour(QWidget *control, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = control->palette();
    palette.setColor(role, colour);
    control->setPalette(palette);
}

void setTextColour(QWidget *control, const QColor &colour)
{
    QPalette palette = control->palette();
    for (QPalette::ColorRole role : {QPalette::ButtonText, QPalette::WindowText})
        palette.setColor(role, colour);
    control->setPalette(palette);
}
