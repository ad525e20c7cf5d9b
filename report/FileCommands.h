// The main window's Open and Save As commands on the viewer's text, and the three file dialogs.
#pragma once

#include "FileDialog.h"

#include <QString>

class QWidget;
class TForm1;

// The filter lists, written as the dialogs take them ("Name|pattern|…").
QString mainOpenDialogFilter();   // all files first, five entries
QString mainSaveDialogFilter();   // six entries, "Таблица Excel (*.xls)"
QString viewerSaveDialogFilter(); // six entries, "Таблица Excel"

// The name the save dialogs propose before any name was accepted.
QString initialSaveName(); // "Св.шов№__"

// The main window's two dialogs: each its own object, remembering its own last name.
FileDialog makeMainOpenDialog(); // no default extension, no initial name
FileDialog makeMainSaveDialog(); // default extension "txt", initial name "Св.шов№__"
// The viewer's dialog, shared by its save button and the report writer.
FileDialog makeViewerSaveDialog();

// FileOpen: runs `openDialog` over `dialogParent`; on acceptance loads the file into the viewer
// (LoadError on failure, the window then stays as it was), then shows and focuses the viewer.
// Cancelling does nothing.
void openIntoViewer(TForm1 &viewer, FileDialog &openDialog, QWidget *dialogParent = nullptr);

// FileSaveAs and the viewer's save button: runs `saveDialog`; on acceptance writes the viewer's
// plain text (CR LF between lines, nothing after the last) and confirms with
// "Записано в файл  <full name>". InOutError or UnencodableTextError on failure, the target
// then untouched. Cancelling does nothing.
void saveViewerText(const TForm1 &viewer, FileDialog &saveDialog, QWidget *dialogParent = nullptr);
