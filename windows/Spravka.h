// The usage window TForm3: how to use the program, the feedback line, the buttons to the method
// and About windows, and the program's version and date in two hidden labels.
#pragma once

#include <QWidget>
#include <memory>

class QLabel;
class QPlainTextEdit;
class SpeedButton;
namespace Ui {
class TForm3;
}

class TForm3 : public QWidget
{
    Q_OBJECT
public:
    explicit TForm3(QWidget *parent = nullptr);
    ~TForm3() override;

    void SpeedButton1Click(QObject *Sender);
    void SpeedButton2Click(QObject *Sender);

    QPlainTextEdit *Memo1;
    QLabel *Label3;
    SpeedButton *SpeedButton1;
    SpeedButton *SpeedButton2;
    QLabel *Label2; // the version text, never shown
    QLabel *Label8; // the date text, never shown

private:
    std::unique_ptr<Ui::TForm3> ui;
};

extern TForm3 *Form3;
