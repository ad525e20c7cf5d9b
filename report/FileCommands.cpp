// The main window's Open and Save As commands on the viewer's text, and the three file dialogs.
#include "FileCommands.h"

#include "ShowAndFocus.h"
#include "Unit1.h"
#include "UserInteraction.h"

#include <QDir>

QString mainOpenDialogFilter()
{
    return QStringLiteral("Все файлы (*.*)|*.*|Текстовые (*.txt)|*.txt|MWord(.doc)|*.doc|"
                          "rtf-формат (*.rtf)|*.rtf|Расчетные (*.tww)|*.tww");
}

QString mainSaveDialogFilter()
{
    return QStringLiteral("Текстовые (*.txt)|*.txt|MWord(.doc)|*.doc|RTF-формат (*.rtf)|*.rtf|"
                          "Таблица Excel (*.xls)|*.xls|Расчетные (*.tww)|*.tww|Все файлы (*.*)|*.*");
}

QString viewerSaveDialogFilter()
{
    return QStringLiteral("Текстовые (*.txt)|*.txt|MWord(.doc)|*.doc|RTF-формат (*.rtf)|*.rtf|"
                          "Таблица Excel|*.xls|Расчетные (*.tww)|*.tww|Все файлы (*.*)|*.*");
}

QString initialSaveName()
{
    return QStringLiteral("Св.шов№__");
}

FileDialog makeMainOpenDialog()
{
    return FileDialog(FileDialogRequest::Mode::Open, mainOpenDialogFilter());
}

FileDialog makeMainSaveDialog()
{
    return FileDialog(FileDialogRequest::Mode::Save, mainSaveDialogFilter(), QStringLiteral("txt"),
                      initialSaveName());
}

FileDialog makeViewerSaveDialog()
{
    return FileDialog(FileDialogRequest::Mode::Save, viewerSaveDialogFilter(), QStringLiteral("txt"),
                      initialSaveName());
}

void openIntoViewer(TForm1 &viewer, FileDialog &openDialog, QWidget *dialogParent)
{
    const std::optional<QString> fileName = openDialog.execute(dialogParent);
    if (!fileName)
        return;
    viewer.loadFromFile(*fileName);
    showAndFocus(&viewer);
}

void saveViewerText(const TForm1 &viewer, FileDialog &saveDialog, QWidget *dialogParent)
{
    const std::optional<QString> fileName = saveDialog.execute(dialogParent);
    if (!fileName)
        return;
    viewer.saveToFile(*fileName);
    showMessage(QStringLiteral("Записано в файл  ") + QDir::toNativeSeparators(*fileName));
}
