// Flat tool-bar buttons with two-glyph pictures.
#include "SpeedButton.h"

#include <QIcon>
#include <QMouseEvent>
#include <QPixmap>

SpeedButton::SpeedButton(QWidget *parent)
    : QToolButton(parent)
{
    setAutoRaise(true);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
}

void SpeedButton::setGlyph(const QImage &picture)
{
    if (picture.isNull()) {
        setIcon(QIcon());
        setToolButtonStyle(Qt::ToolButtonTextOnly);
        return;
    }
    // The colour of the bottom-left pixel marks the transparent parts of both glyphs.
    QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb transparent = image.pixel(0, image.height() - 1);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] == transparent)
                line[x] = qRgba(0, 0, 0, 0);
        }
    }
    const int glyphWidth = image.width() / 2;
    QIcon icon;
    for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled}) {
        const QImage glyph = image.copy(mode == QIcon::Normal ? 0 : glyphWidth, 0, glyphWidth, image.height());
        icon.addPixmap(QPixmap::fromImage(glyph), mode);
        // Screens scaled by a fraction would repeat some of the glyph's pixels and not others,
        // which draws its outlines unevenly thick; a blended copy is drawn there instead. At 200 %
        // every pixel simply doubles and stays sharp.
        for (const qreal scale : {1.25, 1.5, 1.75, 2.0}) {
            const auto transformation = scale == 2.0 ? Qt::FastTransformation : Qt::SmoothTransformation;
            icon.addPixmap(QPixmap::fromImage(glyph.scaled(glyph.size() * scale, Qt::IgnoreAspectRatio,
                                                           transformation)),
                           mode);
        }
    }
    setIcon(icon);
    setIconSize(QSize(glyphWidth, image.height()));
    setToolButtonStyle(text().isEmpty() ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextBesideIcon);
}

void SpeedButton::setTransparent(bool transparent)
{
    m_transparent = transparent;
    setAutoFillBackground(!transparent);
    if (!transparent) {
        QPalette colours = palette();
        colours.setColor(QPalette::Window, colours.color(QPalette::Button));
        setPalette(colours);
    }
    update();
}

void SpeedButton::mouseMoveEvent(QMouseEvent *event)
{
    QToolButton::mouseMoveEvent(event);
    const QPoint at = event->position().toPoint();
    Q_EMIT mouseMoved(event->modifiers(), at.x(), at.y());
}
