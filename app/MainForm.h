// The main window TMainForm: menu bar, tool bar, status line and the embedded calculation frame.
#pragma once

#include "ui_MainForm.h"

#include "FileDialog.h"

#include <QMainWindow>

// The form's controls: the menu bar MainMenu with its menus and items, the tool bar SpeedBar
// with SpeedButton1…8 and Label1, the embedded frame Frame31 and the status line StatusLine.
class TMainForm : public QMainWindow, public Ui::TMainForm
{
    Q_OBJECT
public:
    explicit TMainForm(QWidget *parent = nullptr);

    FileDialog OpenDialog;
    FileDialog SaveDialog;

    // Handlers of the window's own commands.
    void FormCreate(QObject *Sender);
    void ShowHint(QObject *Sender);
    void FileNew(QObject *Sender);
    void FileOpen(QObject *Sender);
    void FileSaveAs(QObject *Sender);
    void FileExit(QObject *Sender);
    void HelpSearch(QObject *Sender);
    void HelpHowToUse(QObject *Sender);
    void HelpAbout(QObject *Sender);
    void N22Click(QObject *Sender);
    void SpeedButton8Click(QObject *Sender);
    void N20Click(QObject *Sender);
    void N2Click(QObject *Sender);
    void N21Click(QObject *Sender);
    void N5Click(QObject *Sender);
    void N23Click(QObject *Sender);
    void N17Click(QObject *Sender);
    void SpeedButton7Click(QObject *Sender);
    void DesignRequirementsClick(QObject *Sender);

    // The frame's events, passed on unchanged to the frame's handlers of the same name.
    void Frame31Button1Click(QObject *Sender);
    void Frame31Button2Click(QObject *Sender);
    void Frame31Button4Click(QObject *Sender);
    void Frame31Button9Click(QObject *Sender);
    void Frame31Button10Click(QObject *Sender);
    void Frame31Button13Click(QObject *Sender);
    void Frame31Edit1Change(QObject *Sender);
    void Frame31Edit3Change(QObject *Sender);
    void Frame31Edit4Change(QObject *Sender);
    void Frame31Edit6Change(QObject *Sender);
    void Frame31ComboBox3Change(QObject *Sender);
    void Frame31Label34Click(QObject *Sender);
    void Frame31Label34MouseMove(QObject *Sender, Qt::KeyboardModifiers Shift, int X, int Y);
    void Frame31Label34MouseLeave(QObject *Sender);
    void Frame31Timer1Timer(QObject *Sender);
    void Frame31Timer2Timer(QObject *Sender);

private:
    void bindCommands();
    void bindFrameEvents();
};

extern TMainForm *MainForm;
