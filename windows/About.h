// The About window TAboutBox: the program, its version and date, the developer's contacts, the
// donation appeal with the payment details, their saving to a text file, and the web site.
#pragma once

#include "FileDialog.h"

#include <QWidget>
#include <memory>

class Edit;
class PictureBox;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class SpeedButton;
namespace Ui {
class TAboutBox;
}

class TAboutBox : public QWidget
{
    Q_OBJECT
public:
    // The module, version and date are copied at creation from the main window's caption and
    // from the usage window's two hidden labels; any may be missing (then the placeholders stay).
    TAboutBox(const QWidget *mainForm, const QLabel *usageVersion, const QLabel *usageDate,
              QWidget *parent = nullptr);
    ~TAboutBox() override;

    void FormCreate(QObject *Sender);
    void OKButtonClick(QObject *Sender);
    void SpeedButton1Click(QObject *Sender);
    void SpeedButton1MouseMove(QObject *Sender, Qt::KeyboardModifiers Shift, int X, int Y);
    void Timer1Timer(QObject *Sender);
    void Edit1Click(QObject *Sender);

    QFrame *Panel1;
    PictureBox *ProgramIcon;
    QLabel *Label1;
    QLabel *Comments;
    QLabel *Label5;
    QLabel *Label18;
    QLabel *Label19;
    Edit *Edit2;
    QLabel *Label6;
    QLabel *Label34;
    QLabel *Label12;
    Edit *Edit1;
    QLabel *Version;
    QLabel *Label2;
    QLabel *Label16;
    QLabel *Label8;
    QLabel *Label17;
    QLabel *Label4;
    QLabel *Label10;
    QLabel *Label3;
    QLabel *Label11;
    QPlainTextEdit *Memo1;
    SpeedButton *SpeedButton1;
    QLabel *Label9;
    QLabel *Label13;
    QPushButton *OKButton;
    FileDialog SaveDialog;
    QTimer *Timer1;

protected:
    // Enter presses the default button "Закрыть", except in Memo1, which keeps Enter for itself.
    void keyPressEvent(QKeyEvent *event) override;

private:
    std::unique_ptr<Ui::TAboutBox> ui;
    const QWidget *m_mainForm;
    const QLabel *m_usageVersion;
    const QLabel *m_usageDate;
};

extern TAboutBox *AboutBox;
