// A picture box: shows a picture at its natural size from the top-left corner, clipped to the
// box, or stretched into the box with its proportions kept, also from the top-left corner.
#pragma once

#include <QImage>
#include <QWidget>

class PictureBox : public QWidget
{
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent = nullptr);

    void setPicture(const QImage &picture);
    const QImage &picture() const { return m_picture; }

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

private:
    QImage m_picture;
    bool m_proportional = false;
};
