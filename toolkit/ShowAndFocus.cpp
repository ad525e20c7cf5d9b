// Opening a secondary window.
#include "ShowAndFocus.h"

#include <QWidget>

void showAndFocus(QWidget *window)
{
    window->show();
    window->raise();
    window->activateWindow();
}
