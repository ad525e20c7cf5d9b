// Who the program is: its application title and its developer's web site.
#pragma once

#include <QString>

// The program's application title, the caption of every message box.
QString applicationTitle();

// An address on the developer's site, which the browser window and the About window open;
// `path` starts with "/".
QString siteAddress(const QString &path = QStringLiteral("/"));
