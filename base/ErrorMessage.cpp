// The error box's full stop.
#include "ErrorMessage.h"

#include "Cp1251.h"

QString withErrorFullStop(const QString &message)
{
    if (message.isEmpty())
        return message;
    // Compared by the last character's code in Windows-1251: letters and digits sort after ".",
    // as does "?", which stands for any character the code page lacks.
    const QByteArray last = encodeCp1251(restrictToCp1251(message.right(1)));
    if (static_cast<unsigned char>(last.back()) > static_cast<unsigned char>('.'))
        return message + QLatin1Char('.');
    return message;
}
