// The design-requirements window TForm5: two design-code pages on welded joints, one above the
// other, in a window that scrolls vertically only.
#pragma once

#include "ui_Unit5.h"

#include <QRect>
#include <QScrollArea>

// The form is the page inside the scrolling window; its controls are the window's.
class TForm5 : public QScrollArea, public Ui::DesignPage
{
    Q_OBJECT
public:
    explicit TForm5(QWidget *parent = nullptr);

    // The height the window scrolls over: the lowest bottom edge of the pictures' boxes.
    static constexpr int scrollRange = 977;
    // One click on a scroll arrow.
    static constexpr int scrollStep = 51;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void followPageWidth();

    QWidget *m_page;
    // The page as designed: both boxes are anchored to its left and right edges, so their widths
    // keep their distances to the page's right edge (Image1 reaches 35 px beyond it).
    int m_designedPageWidth = 0;
    QRect m_designedImage1;
    QRect m_designedImage2;
};

extern TForm5 *Form5;
