// The program icon at the sizes a Linux desktop asks for.
#include "IconSizes.h"

#include <numeric>
#include <stdexcept>

QList<int> desktopIconSizes()
{
    return {16, 22, 24, 32, 48, 64, 128, 256};
}

QImage scaledIcon(const QImage &icon, int size)
{
    if (icon.isNull() || icon.width() != icon.height() || size <= 0)
        throw std::invalid_argument("the icon must be a square picture and the size positive");
    const int source = icon.width();
    const int common = std::lcm(source, size);
    const QImage enlarged = icon.convertToFormat(QImage::Format_ARGB32)
                                .scaled(common, common, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (common == size)
        return enlarged;
    // Qt averages with premultiplied alpha, so transparent pixels do not darken the edges.
    return enlarged.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_ARGB32);
}
