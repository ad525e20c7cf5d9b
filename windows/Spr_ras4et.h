// The method window TForm4: the strength condition and formulas of the calculation.
#pragma once

#include <QWidget>
#include <memory>

class QLabel;
class QPlainTextEdit;
namespace Ui {
class TForm4;
}

class TForm4 : public QWidget
{
    Q_OBJECT
public:
    explicit TForm4(QWidget *parent = nullptr);
    ~TForm4() override;

    QPlainTextEdit *Memo1;
    QLabel *Label2;
    QLabel *Label15;

private:
    std::unique_ptr<Ui::TForm4> ui;
};

extern TForm4 *Form4;
