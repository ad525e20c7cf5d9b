// Which of Qt's platforms and font engines the program starts with, on Windows and under Wine.
#include "StartupPlatform.h"

std::optional<QByteArray> chosenPlatform(bool underWine, bool platformGiven)
{
    // Wine's MS Sans Serif is a bitmap face, which Qt's GDI engine draws blank, and Wine has no
    // Arial. Qt's FreeType engine knows only the faces registered with their files, the host's
    // among them, so the designed faces fall to their substitutes there.
    if (underWine && !platformGiven)
        return QByteArrayLiteral("windows:fontengine=freetype");
    return std::nullopt;
}
