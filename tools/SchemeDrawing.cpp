// The scheme of the joint: plate, support, weld, Lw, P, e and the two load annotations.
#include "Drawings.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace {

// A filled arrow head at `tip`, pointing along (dx, dy).
void arrowHead(QPainter &painter, QPointF tip, qreal dx, qreal dy)
{
    const qreal length = 14, half = 4.5;
    const QPointF back(tip.x() - dx * length, tip.y() - dy * length);
    const QPointF side(-dy * half, dx * half);
    painter.setBrush(Qt::black);
    painter.drawPolygon(QPolygonF{tip, back + side, back - side});
    painter.setBrush(Qt::NoBrush);
}

// A break line across a vertical member: a straight cut with one zigzag in its middle.
void breakLine(QPainter &painter, qreal left, qreal right, qreal y)
{
    const qreal middle = (left + right) / 2;
    QPainterPath path(QPointF(left - 8, y));
    path.lineTo(middle - 6, y);
    path.lineTo(middle - 2, y - 9);
    path.lineTo(middle + 2, y + 9);
    path.lineTo(middle + 6, y);
    path.lineTo(right + 8, y);
    painter.drawPath(path);
}

} // namespace

QImage drawScheme()
{
    QImage image(525, 466, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);

    const qreal supportLeft = 92, supportRight = 128;
    const qreal supportTop = 40, supportBottom = 420;
    const qreal plateLeft = supportRight, plateRight = 352, plateTop = 128, plateBottom = 322;

    // The support, broken off at both ends, with thin hatching of its section.
    painter.setPen(QPen(Qt::black, 2.5));
    painter.drawLine(QPointF(supportLeft, supportTop), QPointF(supportLeft, supportBottom));
    painter.drawLine(QPointF(supportRight, supportTop), QPointF(supportRight, supportBottom));
    painter.setPen(QPen(Qt::black, 1.5));
    breakLine(painter, supportLeft, supportRight, supportTop);
    breakLine(painter, supportLeft, supportRight, supportBottom);
    painter.save();
    painter.setClipRect(QRectF(supportLeft, supportTop + 10, supportRight - supportLeft, supportBottom - supportTop - 20));
    painter.setPen(QPen(Qt::black, 0.8));
    for (qreal y = supportTop - 40; y < supportBottom + 40; y += 12)
        painter.drawLine(QPointF(supportLeft, y + 36), QPointF(supportRight, y));
    painter.restore();

    // The plate.
    painter.setPen(QPen(Qt::black, 2.5));
    painter.drawRect(QRectF(plateLeft, plateTop, plateRight - plateLeft, plateBottom - plateTop));

    // The fillet weld along the plate's left edge, as a row of short ticks.
    painter.setPen(QPen(Qt::black, 1.6));
    for (qreal y = plateTop + 5; y <= plateBottom - 4; y += 7)
        painter.drawLine(QPointF(plateLeft + 1, y), QPointF(plateLeft + 10, y - 6));

    QFont font("Liberation Sans");
    font.setPixelSize(24);
    font.setItalic(true);
    painter.setFont(font);

    // Lw, dimensioned on the left of the support.
    const qreal dimensionX = 44;
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(QPointF(dimensionX - 10, plateTop), QPointF(supportLeft - 4, plateTop));
    painter.drawLine(QPointF(dimensionX - 10, plateBottom), QPointF(supportLeft - 4, plateBottom));
    painter.drawLine(QPointF(dimensionX, plateTop), QPointF(dimensionX, plateBottom));
    arrowHead(painter, QPointF(dimensionX, plateTop), 0, -1);
    arrowHead(painter, QPointF(dimensionX, plateBottom), 0, 1);
    painter.save();
    painter.translate(dimensionX - 8, (plateTop + plateBottom) / 2);
    painter.rotate(-90);
    painter.drawText(QRectF(-40, -30, 80, 28), Qt::AlignCenter, "Lw");
    painter.restore();

    // P, downwards onto the plate's right edge.
    painter.setPen(QPen(Qt::black, 3));
    painter.drawLine(QPointF(plateRight, 36), QPointF(plateRight, plateTop - 12));
    arrowHead(painter, QPointF(plateRight, plateTop - 1), 0, 1);
    painter.drawText(QRectF(plateRight + 10, 34, 40, 30), Qt::AlignLeft | Qt::AlignVCenter, "P");

    // e, from the weld line to the line of the force, along the bottom.
    const qreal dimensionY = 372;
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(QPointF(plateLeft, plateBottom + 6), QPointF(plateLeft, dimensionY + 10));
    painter.drawLine(QPointF(plateRight, plateBottom + 6), QPointF(plateRight, dimensionY + 10));
    painter.drawLine(QPointF(plateLeft, dimensionY), QPointF(plateRight, dimensionY));
    arrowHead(painter, QPointF(plateLeft, dimensionY), -1, 0);
    arrowHead(painter, QPointF(plateRight, dimensionY), 1, 0);
    painter.drawText(QRectF(plateLeft, dimensionY - 32, plateRight - plateLeft, 30), Qt::AlignCenter, "e");

    // The loads the weld carries.
    font.setItalic(false);
    font.setPixelSize(26);
    painter.setFont(font);
    painter.drawText(QRectF(plateRight + 26, 176, 150, 34), Qt::AlignLeft | Qt::AlignVCenter, "M = P*e");
    painter.drawText(QRectF(plateRight + 26, 232, 150, 34), Qt::AlignLeft | Qt::AlignVCenter, "Q = P");
    return image;
}
