// Timers as the windows use them.
#pragma once

#include <QTimer>

// Enabling a timer that already runs must not restart its interval.
inline void enableTimer(QTimer *timer)
{
    if (!timer->isActive())
        timer->start();
}
