// The messages of the program's error types.
#include "Errors.h"

#include <utility>

WeldError::WeldError(QString message)
    : m_message(std::move(message))
    , m_utf8(m_message.toUtf8())
{
}

ConversionError::ConversionError(const QString &text)
    : WeldError(QLatin1Char('\'') + text + QLatin1String("' is not a valid floating point value"))
{
}

ZeroDivideError::ZeroDivideError()
    : WeldError(QStringLiteral("Floating point division by zero"))
{
}

InvalidOperationError::InvalidOperationError()
    : WeldError(QStringLiteral("Invalid floating point operation"))
{
}

OverflowError::OverflowError()
    : WeldError(QStringLiteral("Floating point overflow"))
{
}

InOutError::InOutError(int code)
    : WeldError(messageFor(code))
    , m_code(code)
{
}

InOutError::InOutError(int code, QString message)
    : WeldError(std::move(message))
    , m_code(code)
{
}

InOutError InOutError::otherFailure(int systemCode)
{
    return InOutError(systemCode, QStringLiteral("I/O error %1").arg(systemCode));
}

QString InOutError::messageFor(int code)
{
    switch (code) {
    case 2:
        return QStringLiteral("File not found");
    case 3:
        return QStringLiteral("Invalid filename");
    case 4:
        return QStringLiteral("Too many open files");
    case 5:
        return QStringLiteral("File access denied");
    case 100:
        return QStringLiteral("Read beyond end of file");
    case 101:
        return QStringLiteral("Disk full");
    case 106:
        return QStringLiteral("Invalid numeric input");
    default:
        return QStringLiteral("I/O error %1").arg(code);
    }
}

LoadError LoadError::cannotOpen(const QString &fullPath, const QString &systemDescription)
{
    return LoadError(QLatin1String("Cannot open file \"") + fullPath + QLatin1String("\". ")
                     + systemDescription);
}

LoadError LoadError::failedToLoadStream()
{
    return LoadError(QStringLiteral("Failed to Load Stream"));
}
