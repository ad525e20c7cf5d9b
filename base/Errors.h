// The program's error types. Each is thrown where a step fails, ends the handler there and is
// shown by the error message box; the message is the text the user sees (before the full stop
// that the box may add).
#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

class WeldError : public std::exception
{
public:
    explicit WeldError(QString message);
    const QString &message() const noexcept { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// A text that is not a number: "'<text>' is not a valid floating point value".
class ConversionError : public WeldError
{
public:
    explicit ConversionError(const QString &text);
};

// A non-zero value divided by zero: "Floating point division by zero".
class ZeroDivideError : public WeldError
{
public:
    ZeroDivideError();
};

// 0/0, the square root of a negative number: "Invalid floating point operation".
class InvalidOperationError : public WeldError
{
public:
    InvalidOperationError();
};

// A result beyond the range of a double when it is stored: "Floating point overflow".
class OverflowError : public WeldError
{
public:
    OverflowError();
};

// A failed open, write or close of a file, with the file layer's code (the Windows numbering:
// 2 not found, 3 invalid name, 4 too many open files, 5 access denied, 100, 101, 106 the layer's
// own; any other code n reads "I/O error n").
class InOutError : public WeldError
{
public:
    explicit InOutError(int code);
    int code() const noexcept { return m_code; }
    static QString messageFor(int code);
    // A platform failure that has no row of its own: "I/O error n" whatever n is, since a
    // platform's numbers may coincide with the codes above (EIO is 5 on Linux).
    static InOutError otherFailure(int systemCode);

private:
    InOutError(int code, QString message);
    int m_code;
};

// A file that could not be loaded into the viewer.
class LoadError : public WeldError
{
public:
    // "Cannot open file "<path>". <system description>"
    static LoadError cannotOpen(const QString &fullPath, const QString &systemDescription);
    // "Failed to Load Stream"
    static LoadError failedToLoadStream();

private:
    using WeldError::WeldError;
};

// A character that Windows-1251 cannot hold, met before a file is written.
class UnencodableTextError : public WeldError
{
public:
    using WeldError::WeldError;
};
