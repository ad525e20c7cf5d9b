// Access to the resources built from resources.qrc.
#include "Resources.h"

#include <QFile>

// The resource list is compiled into this static library; referencing its initialiser from here
// keeps the linker from dropping it from the programs that use these functions. (Outside any
// namespace, as the initialiser's declaration requires.)
static void ensureResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(resources);
        return true;
    }();
    Q_UNUSED(registered);
}

QByteArray resourceBytes(const QString &path)
{
    ensureResources();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QImage toolbarGlyph(Glyph glyph)
{
    return QImage::fromData(resourceBytes(QStringLiteral(":/") + glyphFileName(glyph)), "BMP");
}

QImage programIconImage()
{
    return QImage::fromData(resourceBytes(QStringLiteral(":/weldcalc.png")), "PNG");
}

QIcon programIcon()
{
    return QIcon(QPixmap::fromImage(programIconImage()));
}

QImage schemePicture()
{
    return QImage::fromData(resourceBytes(QStringLiteral(":/scheme.bmp")), "BMP");
}

QStringList fixedTextLines(FixedText text)
{
    const QString path = text == FixedText::Usage ? QStringLiteral(":/usage.txt") : QStringLiteral(":/method.txt");
    QString content = QString::fromUtf8(resourceBytes(path));
    if (content.endsWith(QLatin1Char('\n')))
        content.chop(1);
    return content.split(QLatin1Char('\n'));
}
