// The viewer/editor window TForm1: the report and opened files, editable and saved as text.
#pragma once

#include "ui_Unit1.h"

#include "FileDialog.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <memory>

class QTextDocument;
class ViewerTextPieces;

class TForm1 : public QWidget, public Ui::TForm1
{
    Q_OBJECT
public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    // Replaces the whole text with the file's content: rich text first, then plain
    // Windows-1251 text; LoadError on failure (the text is then unchanged). The file is read and
    // checked before the text changes, in parts between which the window answers all but the
    // user's input; a long text then appears piece by piece, one piece per tick of PieceTimer,
    // so that the window keeps answering while it fills.
    void loadFromFile(const QString &fullPath);
    // True while pieces of the text last loaded are still to come.
    bool isLoading() const;
    // The tick of PieceTimer: appends the next piece.
    void loadNextPiece();
    // Appends all the pieces still to come, answering all but the user's input between them:
    // before the text is saved or edited, which then see it whole, as they would have after a
    // load in one go.
    void finishLoading();
    // Writes the box's plain text (CR LF between lines) by the text-file output convention.
    void saveToFile(const QString &fullPath);
    // Save As, for the save button and the main window's command alike: runs `dialog`; on
    // acceptance saves and confirms with "Записано в файл  <full name>". InOutError or
    // UnencodableTextError on failure, the target then untouched. Cancelling does nothing.
    void saveThroughDialog(FileDialog &dialog, QWidget *dialogParent);

    FileDialog SaveDialog;

    void Button1Click(QObject *Sender);
    void SpeedButton2Click(QObject *Sender);
    void RichEdit1Change(QObject *Sender);

    QTimer PieceTimer;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Appends the next piece to m_loading; false once the load has ended.
    bool appendNextPiece();
    // Ends the load: the text is whole (its insertion is not undone) or was replaced.
    void endLoading();

    std::unique_ptr<ViewerTextPieces> m_pieces; // the pieces still to come, while loading
    QPointer<QTextDocument> m_loading;          // the document they go into
    int m_loadedCharacters = 0;                 // its length after the last piece
    bool m_appending = false;
    int m_loadsBegun = 0;                       // numbers the loads in the order they began
    int m_lastLoadShown = 0;                    // the number of the last load whose text was put in place
};

extern TForm1 *Form1;

// The name the save dialogs propose before any name was accepted.
QString initialSaveName(); // "Св.шов№__"
