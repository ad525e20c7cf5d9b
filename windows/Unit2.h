// The scheme window TForm2: the drawing of the loaded joint and an "Ok" button.
#pragma once

#include <QWidget>
#include <memory>

class PictureBox;
class QPushButton;
namespace Ui {
class TForm2;
}

class TForm2 : public QWidget
{
    Q_OBJECT
public:
    explicit TForm2(QWidget *parent = nullptr);
    ~TForm2() override;

    void Button1Click(QObject *Sender);

    PictureBox *Image1;
    QPushButton *Button1;

private:
    std::unique_ptr<Ui::TForm2> ui;
};

extern TForm2 *Form2;
