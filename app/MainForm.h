// The main window TMainForm: menu bar, tool bar, status line and the embedded calculation frame.
#pragma once

#include "FileDialog.h"

#include <QMainWindow>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QStatusBar;
class QWidget;
class SpeedButton;
class TFrame3;

namespace Ui {
class TMainForm;
}

class TMainForm : public QMainWindow
{
    Q_OBJECT
public:
    explicit TMainForm(QWidget *parent = nullptr);
    ~TMainForm() override;

    // The menu: bar, menus and items under their own names.
    QMenuBar *MainMenu;
    QMenu *FileMenu, *HelpMenu, *HelpContentsItem, *Components1, *Servises1, *Tarvelin1, *N6;
    QAction *FileNewItem, *FileOpenItem, *FileSaveItem, *FileSaveAsItem, *FilePrintItem,
        *FilePrintSetupItem, *FileExitItem;
    QAction *N2, *N5, *HelpSearchItem, *HelpHowToUseItem, *HelpAboutItem;
    QAction *N19, *N7, *N8, *N9, *N10, *N11, *N12, *N13, *N14, *N15, *N16, *N17, *N18;
    QAction *N20, *N21, *N22, *N23, *DesignRequirementsItem;

    QStatusBar *StatusLine;
    QWidget *SpeedBar;
    SpeedButton *SpeedButton1, *SpeedButton2, *SpeedButton3, *SpeedButton4, *SpeedButton5,
        *SpeedButton6, *SpeedButton7, *SpeedButton8;
    QLabel *Label1;
    TFrame3 *Frame31;
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

    std::unique_ptr<Ui::TMainForm> m_form;
};

extern TMainForm *MainForm;
