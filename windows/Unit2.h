// The scheme window TForm2: the drawing of the loaded joint and an "Ok" button.
#pragma once

#include "ui_Unit2.h"

#include <QWidget>

class TForm2 : public QWidget, public Ui::TForm2
{
    Q_OBJECT
public:
    explicit TForm2(QWidget *parent = nullptr);

    void Button1Click(QObject *Sender);
};

extern TForm2 *Form2;
