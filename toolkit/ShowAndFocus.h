// The one way a secondary window is opened: visible (not modal), raised and activated.
#pragma once

class QWidget;

void showAndFocus(QWidget *window);
