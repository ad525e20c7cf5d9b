// The viewer/editor window TForm1: the report and opened files, editable and saved as text.
#pragma once

#include "FileDialog.h"

#include <QWidget>

#include <memory>

namespace Ui {
class TForm1;
}

class QTextEdit;
class QPushButton;
class SpeedButton;

class TForm1 : public QWidget
{
    Q_OBJECT
public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    // Replaces the whole text with the file's content: rich text first, then plain
    // Windows-1251 text; LoadError on failure (the text is then unchanged).
    void loadFromFile(const QString &fullPath);
    // Writes the box's plain text (CR LF between lines) by the text-file output convention.
    void saveToFile(const QString &fullPath) const;

    QTextEdit *RichEdit1 = nullptr;
    SpeedButton *SpeedButton2 = nullptr;
    QPushButton *Button1 = nullptr;
    FileDialog SaveDialog;

    void Button1Click(QObject *Sender);
    void SpeedButton2Click(QObject *Sender);
    void RichEdit1Change(QObject *Sender);

private:
    std::unique_ptr<Ui::TForm1> m_form;
};

extern TForm1 *Form1;
