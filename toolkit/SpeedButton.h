// A flat tool-bar button: caption, an optional picture of two 20 × 20 glyphs side by side
// (normal, then greyed for the disabled state) whose bottom-left pixel colour is transparent,
// and a mouse-move event.
#pragma once

#include <QImage>
#include <QToolButton>

class SpeedButton : public QToolButton
{
    Q_OBJECT
public:
    explicit SpeedButton(QWidget *parent = nullptr);

    // `picture` holds the two glyphs side by side; an empty image removes the picture.
    void setGlyph(const QImage &picture);
    // A transparent button lets its parent's background show through; otherwise it paints its own.
    void setTransparent(bool transparent);
    bool isTransparent() const { return m_transparent; }

Q_SIGNALS:
    void mouseMoved(Qt::KeyboardModifiers modifiers, int x, int y);

protected:
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    bool m_transparent = true;
};
