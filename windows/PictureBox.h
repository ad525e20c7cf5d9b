// A picture box: shows a picture at its natural size from the top-left corner, clipped to the
// box, or stretched into the box with its proportions kept, also from the top-left corner.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

class PictureBox : public QWidget
{
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent = nullptr);

    void setPicture(const QImage &picture);
    // A picture decoded only when the box is first shown or asked for its picture, so that hidden
    // windows cost nothing at start-up; the source may throw, which then reaches the caller (the
    // showing is guarded).
    void setPictureSource(std::function<QImage()> source);
    const QImage &picture() const;

    // Stretched with proportions kept (true) or at natural size (false, the start).
    void setProportional(bool proportional);
    bool isProportional() const { return m_proportional; }

    // Where the picture is drawn in the box's own coordinates.
    QRect pictureRect() const;

    // The drawn size of a `picture` sized picture stretched into a `box` with its proportions kept:
    // the longer side of the picture takes the box's side, the other follows truncated; if it then
    // does not fit, the other side takes the box's and the first follows. Integer arithmetic.
    static QSize proportionalSize(QSize picture, QSize box);

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void decodePending() const;

    mutable QImage m_picture;
    mutable std::function<QImage()> m_source;
    bool m_proportional = false;
};
