// The Windows-1251 code page, in which files and window captions hold their text. Byte 0x98,
// unassigned in the code page, maps to U+0098 so that every byte value round-trips.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

QString decodeCp1251(QByteArrayView bytes);

// Index (in UTF-16 units) of the first character the code page cannot hold, or -1.
qsizetype firstUnencodableCp1251(QStringView text);

// Encodes text that firstUnencodableCp1251() accepted; throws UnencodableTextError naming the
// first character, its line and its column (both from 1) otherwise.
QByteArray encodeCp1251(QStringView text);

// For captions only: the text as the code page shows it, every character it lacks as "?".
QString restrictToCp1251(QStringView text);
