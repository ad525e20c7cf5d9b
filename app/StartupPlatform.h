// Which of Qt's platforms and font engines the program starts with, on Windows and under Wine.
#pragma once

#include <QByteArray>
#include <optional>

// The QT_QPA_PLATFORM the program sets before Qt starts, or nothing for Qt's own choice. A
// platform the user gave always wins; Windows itself keeps Qt's default font engine, the system's
// own rendering of its own faces.
std::optional<QByteArray> chosenPlatform(bool underWine, bool platformGiven);
