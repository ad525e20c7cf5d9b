// The viewer/editor window TForm1: the report and opened files, editable and saved as text.
#pragma once

#include "ui_Unit1.h"

#include "FileDialog.h"

#include <QWidget>

class TForm1 : public QWidget, public Ui::TForm1
{
    Q_OBJECT
public:
    explicit TForm1(QWidget *parent = nullptr);

    // Replaces the whole text with the file's content: rich text first, then plain
    // Windows-1251 text; LoadError on failure (the text is then unchanged).
    void loadFromFile(const QString &fullPath);
    // Writes the box's plain text (CR LF between lines) by the text-file output convention.
    void saveToFile(const QString &fullPath) const;
    // Save As, for the save button and the main window's command alike: runs `dialog`; on
    // acceptance saves and confirms with "Записано в файл  <full name>". InOutError or
    // UnencodableTextError on failure, the target then untouched. Cancelling does nothing.
    void saveThroughDialog(FileDialog &dialog, QWidget *dialogParent) const;

    FileDialog SaveDialog;

    void Button1Click(QObject *Sender);
    void SpeedButton2Click(QObject *Sender);
    void RichEdit1Change(QObject *Sender);
};

extern TForm1 *Form1;

// The name the save dialogs propose before any name was accepted.
QString initialSaveName(); // "Св.шов№__"
