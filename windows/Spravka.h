// The usage window TForm3: how to use the program, the feedback line, the buttons to the method
// and About windows, and the program's version and date in two hidden labels (Label2, Label8).
#pragma once

#include "ui_Spravka.h"

#include <QWidget>

class TForm3 : public QWidget, public Ui::TForm3
{
    Q_OBJECT
public:
    explicit TForm3(QWidget *parent = nullptr);

    void SpeedButton1Click(QObject *Sender);
    void SpeedButton2Click(QObject *Sender);
};

extern TForm3 *Form3;
