// The About window TAboutBox: the program, its version and date, the developer's contacts, the
// donation appeal with the payment details, their saving to a text file, and the web site.
#pragma once

#include "ui_About.h"

#include "FileDialog.h"

#include <QWidget>

class QLabel;
class QTimer;

class TAboutBox : public QWidget, public Ui::TAboutBox
{
    Q_OBJECT
public:
    // The module, version and date are copied at creation from the main window's caption and
    // from the usage window's two hidden labels; any may be missing (then the placeholders stay).
    TAboutBox(const QWidget *mainForm, const QLabel *usageVersion, const QLabel *usageDate,
              QWidget *parent = nullptr);

    void FormCreate(QObject *Sender);
    void OKButtonClick(QObject *Sender);
    void SpeedButton1Click(QObject *Sender);
    void SpeedButton1MouseMove(QObject *Sender, Qt::KeyboardModifiers Shift, int X, int Y);
    void Timer1Timer(QObject *Sender);
    void Edit1Click(QObject *Sender);

    FileDialog SaveDialog;
    QTimer *Timer1;

protected:
    // Enter presses the default button "Закрыть", except in Memo1, which keeps Enter for itself.
    void keyPressEvent(QKeyEvent *event) override;

private:
    const QWidget *m_mainForm;
    const QLabel *m_usageVersion;
    const QLabel *m_usageDate;
};

extern TAboutBox *AboutBox;
