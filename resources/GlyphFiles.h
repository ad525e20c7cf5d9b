// The tool-bar glyphs and their files, one table for the resources and for the drawing tool.
#pragma once

#include <QString>

// The tool-bar pictures: each 40 × 20, the normal glyph and the greyed one side by side, with the
// colour of the bottom-left pixel (olive) to be drawn transparent; SpeedButton::setGlyph takes it.
enum class Glyph { OpenFolder, Diskette, QuestionMark, Printer, Exit };
inline constexpr Glyph allGlyphs[] = {Glyph::OpenFolder, Glyph::Diskette, Glyph::QuestionMark,
                                      Glyph::Printer, Glyph::Exit};

// The file name under resources/, which is also the name in the resource list.
inline QString glyphFileName(Glyph glyph)
{
    switch (glyph) {
    case Glyph::OpenFolder: return QStringLiteral("glyph-open-folder.bmp");
    case Glyph::Diskette: return QStringLiteral("glyph-diskette.bmp");
    case Glyph::QuestionMark: return QStringLiteral("glyph-question-mark.bmp");
    case Glyph::Printer: return QStringLiteral("glyph-printer.bmp");
    case Glyph::Exit: return QStringLiteral("glyph-exit.bmp");
    }
    return {};
}
