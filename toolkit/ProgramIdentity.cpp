// The program's application title and its developer's web site.
#include "ProgramIdentity.h"

QString applicationTitle()
{
    return QStringLiteral("Сварной шов");
}

QString siteAddress(const QString &path)
{
    return QStringLiteral("http://tarvelin.example") + path;
}
