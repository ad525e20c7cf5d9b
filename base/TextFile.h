// The text-file output convention: Windows-1251 bytes exactly as the strings hold them, CR LF
// line ends, every open, write and close examined at once and failures raised as InOutError.
//
// The file is written to a temporary file beside the target and replaces it only after a
// complete, successful close, so a failed save never damages the user's existing file. Where that
// cannot work (a folder the user may not write, a file of another owner, no room for a second
// copy) the existing file is emptied and rewritten in place, as an ordinary save would.
#pragma once

#include <QString>
#include <QStringView>
#include <memory>

// The program's own files are Windows-1251; the console program answers a UTF-8 schedule in UTF-8.
enum class TextEncoding { Cp1251, Utf8 };

class TextFileWriter
{
public:
    // Opens `fullPath` for writing; InOutError when it cannot be (the target is not touched).
    explicit TextFileWriter(const QString &fullPath, TextEncoding encoding = TextEncoding::Cp1251);
    // Discards everything written unless commit() succeeded.
    ~TextFileWriter();
    TextFileWriter(const TextFileWriter &) = delete;
    TextFileWriter &operator=(const TextFileWriter &) = delete;

    void write(QStringView text);     // the text's bytes, nothing added
    void writeLine(QStringView text); // the text's bytes, then CR LF
    // Closes the file and puts it in place of the target; InOutError on failure.
    void commit();
    // For a long output: the content goes to disk as it grows instead of at the close, where the
    // file's route allows it; the target is still replaced only by a successful commit().
    void streamToDisk();
    // For one of many files of a batch that can be run again: commit() does not wait until the
    // content is on the disk. The replacement is still whole or absent while the system runs.
    void skipSync();

private:
    struct State;
    std::unique_ptr<State> m_state;
};

// The system's description of why `fullPath` cannot be read without waiting for another program
// (a named pipe, a socket); empty for files, folders, devices and missing names, whose errors are
// the reader's own.
QString refusalToRead(const QString &fullPath);
