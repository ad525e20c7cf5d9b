// The console program's standard output and error: text shown to a person, and bytes for a file
// or a pipe.
#pragma once

#include <QByteArrayView>
#include <QString>

// Text as a person reads it: through the console's wide-character interface in a Windows
// console, UTF-8 everywhere else.
void printText(const QString &text);
void printError(const QString &text);
// A Windows console shows text only through its wide interface, whatever the bytes' encoding.
bool standardOutputIsConsole();
// Bytes as they are, for output already encoded (a schedule in its own encoding). False when
// standard output cannot be written (a closed pipe, a full disk).
bool writeOutput(QByteArrayView bytes);
bool flushOutput();
