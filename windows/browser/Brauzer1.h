// TBrauzer1: the browser window that shows the developer's web pages, with a progress bar and a
// status bar that follow the downloads of its browser control.
//
// The main window opens a page with
//     Brauzer1->WebBrowser1->Navigate(QStringLiteral("http://tarvelin.example/"));
//     showAndFocus(Brauzer1);
// The control's web engine is a plugin loaded at that first navigation or at the first showing of
// the window, never at start-up; without the plugin the window still opens and says so.
#pragma once

#include "ui_Brauzer1.h"

#include <QString>
#include <QWidget>

class QObject;

// The form's controls: WebBrowser1; ProgressBar1; StatusBar1, whose panel 0 shows the download
// marks and the control's status texts and panel 1 a fixed hint; ComboBox1 and Button1, hidden
// and never used.
class TBrauzer1 : public QWidget, public Ui::TBrauzer1
{
    Q_OBJECT
public:
    explicit TBrauzer1(QWidget *parent = nullptr);

    // The caption's fixed start; the address read at the download's begin follows it.
    static QString captionPrefix() { return QStringLiteral("WEB - Проекты и программы    "); }

    void WebBrowser1DownloadBegin(QObject *Sender);
    void WebBrowser1DownloadComplete(QObject *Sender);
    void WebBrowser1ProgressChange(QObject *Sender, int Progress, int ProgressMax);
    void WebBrowser1StatusTextChange(QObject *Sender, const QString &Text);
};

// The one browser window, created at start-up; nullptr before.
extern TBrauzer1 *Brauzer1;
