// Draws every picture of the program into the resources folder given on the command line.
#include "Drawings.h"
#include "IconSizes.h"
#include "PictureFiles.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>

int main(int argc, char **argv)
{
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: QT_QPA_PLATFORM=offscreen %s <resources folder>\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    try {
        writeBitmap24(drawScheme(), folder.filePath("scheme.bmp"));
        writeJpeg(drawCodePage1(), folder.filePath("design-code-1.jpg"), 88);
        writeJpeg(drawCodePage2(), folder.filePath("design-code-2.jpg"), 88);
        for (Glyph glyph : allGlyphs)
            writeBitmap4(drawGlyphPicture(glyph), folder.filePath(glyphFileName(glyph)));
        const QImage icon = drawProgramIcon();
        writeIcon(icon, folder.filePath("weldcalc.ico"));
        // The same picture for desktops that take PNG icons.
        if (!icon.save(folder.filePath("weldcalc.png"), "PNG"))
            throw std::runtime_error("cannot write weldcalc.png");
        // The icon theme's layout, so that installing is copying the folder.
        for (int size : desktopIconSizes()) {
            const QString apps = QStringLiteral("icons/hicolor/%1x%1/apps").arg(size);
            if (!folder.mkpath(apps)
                || !scaledIcon(icon, size).save(folder.filePath(apps + "/weldcalc.png"), "PNG"))
                throw std::runtime_error("cannot write the icon of size " + std::to_string(size));
        }
    } catch (const std::exception &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
