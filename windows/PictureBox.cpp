// Drawing of the picture boxes.
#include "PictureBox.h"

#include "HandlerGuard.h"

#include <QPainter>

PictureBox::PictureBox(QWidget *parent)
    : QWidget(parent)
{
}

void PictureBox::setPicture(const QImage &picture)
{
    m_source = nullptr;
    m_picture = picture;
    update();
}

void PictureBox::setPictureSource(std::function<QImage()> source)
{
    m_picture = QImage();
    m_source = std::move(source);
    update();
}

const QImage &PictureBox::picture() const
{
    decodePending();
    return m_picture;
}

void PictureBox::decodePending() const
{
    if (!m_source)
        return;
    // Taken first: a source that fails is not tried again at every paint.
    const std::function<QImage()> source = std::move(m_source);
    m_source = nullptr;
    m_picture = source();
}

void PictureBox::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    runGuarded([this] { decodePending(); });
}

void PictureBox::setProportional(bool proportional)
{
    m_proportional = proportional;
    update();
}

QSize PictureBox::proportionalSize(QSize picture, QSize box)
{
    const qint64 w = picture.width(), h = picture.height();
    const qint64 boxWidth = box.width(), boxHeight = box.height();
    if (w <= 0 || h <= 0)
        return {0, 0};
    qint64 width, height;
    if (w > h) {
        width = boxWidth;
        height = boxWidth * h / w;
        if (height > boxHeight) {
            height = boxHeight;
            width = boxHeight * w / h;
        }
    } else {
        height = boxHeight;
        width = boxHeight * w / h;
        if (width > boxWidth) {
            width = boxWidth;
            height = boxWidth * h / w;
        }
    }
    return {int(width), int(height)};
}

QRect PictureBox::pictureRect() const
{
    decodePending();
    if (m_picture.isNull())
        return {};
    if (!m_proportional)
        return QRect(QPoint(0, 0), m_picture.size());
    return QRect(QPoint(0, 0), proportionalSize(m_picture.size(), size()));
}

void PictureBox::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    // Enlarged by a fractional screen scale (125 %, 150 %), repeated pixels would make lines and
    // letters unevenly thick, so the picture is interpolated then, as when stretched; at whole
    // scales each pixel stays a sharp square.
    const qreal screenScale = painter.deviceTransform().m11();
    const bool wholeScale = qAbs(screenScale - qRound(screenScale)) < 0.01;
    painter.setRenderHint(QPainter::SmoothPixmapTransform, m_proportional || !wholeScale);
    painter.drawImage(pictureRect(), m_picture);
}
