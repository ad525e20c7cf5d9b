// Giving controls their colours.
#include "Colours.h"

#include <QWidget>

#include <initializer_list>

namespace {

// One new palette for all the roles, so the control repaints once.
void setColours(QWidget *control, std::initializer_list<QPalette::ColorRole> roles, const QColor &colour)
{
    QPalette palette = control->palette();
    for (QPalette::ColorRole role : roles)
        palette.setColor(role, colour);
    control->setPalette(palette);
}

} // namespace

void setColour(QWidget *control, QPalette::ColorRole role, const QColor &colour)
{
    setColours(control, {role}, colour);
}

void setTextColour(QWidget *control, const QColor &colour)
{
    setColours(control, {QPalette::ButtonText, QPalette::WindowText}, colour);
}
