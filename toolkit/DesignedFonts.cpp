// Converting the point sizes of Designer forms into the designed pixel heights, and the free
// substitutes of the fonts the windows were designed with.
#include "DesignedFonts.h"

#include "Wine.h"

#include <QFont>
#include <QWidget>

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

void substituteDesignedFonts()
{
#ifdef Q_OS_WIN
    if (!runsUnderWine())
        return; // Windows has them
#endif
    for (const char *designed : {"MS Sans Serif", "Tahoma", "Arial"})
        QFont::insertSubstitution(QString::fromLatin1(designed), QStringLiteral("Liberation Sans"));
}
