// An error's message as the error box shows it, which the console program prints the same way.
#pragma once

#include <QString>

// Adds a full stop when the last character's Windows-1251 code is above that of "." (letters
// and digits).
QString withErrorFullStop(const QString &message);
