// The design-requirements window TForm5: two design-code pages on welded joints, one above the
// other, in a window that scrolls vertically only.
#pragma once

#include <QScrollArea>
#include <memory>

class PictureBox;
namespace Ui {
class DesignPage;
}

class TForm5 : public QScrollArea
{
    Q_OBJECT
public:
    explicit TForm5(QWidget *parent = nullptr);
    ~TForm5() override;

    PictureBox *Image1;
    PictureBox *Image2;

    // The height the window scrolls over: the lowest bottom edge of the pictures' boxes.
    static constexpr int scrollRange = 977;
    // One click on a scroll arrow.
    static constexpr int scrollStep = 51;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void followPageWidth();

    std::unique_ptr<Ui::DesignPage> ui;
    QWidget *m_page;
};

extern TForm5 *Form5;
