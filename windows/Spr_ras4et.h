// The method window TForm4: the strength condition and formulas of the calculation.
#pragma once

#include "ui_Spr_ras4et.h"

#include <QWidget>

class TForm4 : public QWidget, public Ui::TForm4
{
    Q_OBJECT
public:
    explicit TForm4(QWidget *parent = nullptr);
};

extern TForm4 *Form4;
