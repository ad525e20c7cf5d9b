// The tool-bar glyphs and the program icon, drawn pixel-exact in the sixteen Windows colours.
#include "Drawings.h"
#include "PictureFiles.h"

#include <QPainter>
#include <QPolygon>

namespace {

const QColor olive(128, 128, 0); // the transparent colour of every tool-bar picture
const QColor black(0, 0, 0), white(255, 255, 255), silver(192, 192, 192), grey(128, 128, 128);
const QColor yellow(255, 255, 0), blue(0, 0, 255), navy(0, 0, 128), teal(0, 128, 128);
const QColor maroon(128, 0, 0), red(255, 0, 0), cyan(0, 255, 255), green(0, 128, 0);

void polygon(QPainter &painter, const QColor &fill, std::initializer_list<QPoint> points)
{
    painter.setPen(black);
    painter.setBrush(fill);
    painter.drawPolygon(QPolygon(QList<QPoint>(points)));
}

void box(QPainter &painter, const QColor &fill, int x, int y, int width, int height)
{
    painter.setPen(black);
    painter.setBrush(fill);
    painter.drawRect(x, y, width - 1, height - 1);
}

void drawOpenFolder(QPainter &painter)
{
    polygon(painter, yellow, {{1, 4}, {6, 4}, {8, 6}, {15, 6}, {15, 16}, {1, 16}}); // the back, with its tab
    polygon(painter, yellow, {{4, 9}, {19, 9}, {15, 16}, {1, 16}});                 // the open front
    painter.setPen(white);
    painter.drawLine(2, 5, 5, 5);
    painter.drawLine(5, 10, 17, 10);
}

void drawDiskette(QPainter &painter)
{
    polygon(painter, blue, {{3, 1}, {16, 1}, {17, 2}, {17, 14}, {3, 14}});
    box(painter, white, 6, 1, 8, 6);   // the label
    box(painter, silver, 6, 9, 9, 6);  // the shutter
    painter.fillRect(12, 10, 2, 3, navy);
    painter.setPen(navy);
    painter.drawLine(7, 3, 12, 3);
    painter.drawLine(7, 5, 12, 5);
    for (int x : {4, 9, 14}) // the three dots below it
        painter.fillRect(x, 17, 2, 2, black);
}

void drawQuestionMark(QPainter &painter)
{
    // A thick question mark in teal, made of rectangles so every pixel is exact.
    painter.setPen(Qt::NoPen);
    painter.setBrush(teal);
    painter.drawRect(6, 2, 8, 3);   // the top arc
    painter.drawRect(4, 4, 3, 3);
    painter.drawRect(13, 4, 3, 5);
    painter.drawRect(10, 8, 4, 3);  // the turn towards the stem
    painter.drawRect(9, 10, 3, 3);  // the stem
    painter.drawRect(9, 15, 3, 3);  // the dot
    painter.setBrush(cyan);
    painter.drawRect(7, 3, 5, 1);
}

void drawPrinter(QPainter &painter)
{
    box(painter, white, 5, 1, 10, 7);     // the sheet at the back
    box(painter, silver, 1, 7, 18, 8);    // the body
    box(painter, white, 4, 13, 12, 6);    // the printed sheet coming out
    painter.setPen(black);
    painter.drawLine(7, 3, 12, 3);
    painter.drawLine(7, 5, 12, 5);
    painter.drawLine(6, 15, 13, 15);
    painter.drawLine(6, 17, 11, 17);
    painter.fillRect(15, 9, 2, 1, green); // the power lamp
}

void drawExit(QPainter &painter)
{
    box(painter, black, 4, 1, 11, 18);                                         // the doorway, dark
    polygon(painter, maroon, {{4, 1}, {10, 4}, {10, 19}, {4, 18}});            // the door leaf, open
    painter.fillRect(8, 10, 1, 2, yellow);                                     // the knob
    painter.setPen(silver);
    painter.drawLine(15, 18, 18, 18);                                          // the threshold
    polygon(painter, red, {{13, 8}, {16, 8}, {16, 6}, {19, 10}, {16, 14}, {16, 12}, {13, 12}}); // the way out
}

// The disabled look: dark pixels grey with a white shadow one pixel down and right, light ones gone.
void drawGreyedCopy(QImage &picture)
{
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            const QColor colour = picture.pixelColor(x, y);
            if (colour == olive || qGray(colour.rgb()) >= 160)
                continue;
            if (x + 1 < 20 && y + 1 < 20)
                picture.setPixelColor(20 + x + 1, y + 1, white);
        }
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            const QColor colour = picture.pixelColor(x, y);
            if (colour != olive && qGray(colour.rgb()) < 160)
                picture.setPixelColor(20 + x, y, grey);
        }
}

} // namespace

QImage drawGlyphPicture(Glyph glyph)
{
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(olive);
    {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setClipRect(0, 0, 20, 20);
        switch (glyph) {
        case Glyph::OpenFolder: drawOpenFolder(painter); break;
        case Glyph::Diskette: drawDiskette(painter); break;
        case Glyph::QuestionMark: drawQuestionMark(painter); break;
        case Glyph::Printer: drawPrinter(painter); break;
        case Glyph::Exit: drawExit(painter); break;
        }
    }
    drawGreyedCopy(picture);
    // The bottom-left pixel names the transparent colour, so it must stay olive.
    picture.setPixelColor(0, 19, olive);
    return picture;
}

QImage drawProgramIcon()
{
    QImage icon(32, 32, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing, false);
    // A T-joint: the upright plate on the base plate, fillet welds in both corners.
    box(painter, silver, 13, 3, 7, 20);
    box(painter, silver, 1, 22, 30, 7);
    painter.setPen(white);
    painter.drawLine(14, 4, 14, 21);
    painter.drawLine(2, 23, 29, 23);
    polygon(painter, red, {{12, 16}, {12, 22}, {6, 22}});
    polygon(painter, red, {{20, 16}, {26, 22}, {20, 22}});
    painter.setPen(maroon);
    painter.drawLine(9, 21, 11, 19);
    painter.drawLine(21, 19, 23, 21);
    // The electrode's spark.
    painter.setPen(yellow);
    painter.drawLine(25, 3, 25, 11);
    painter.drawLine(21, 7, 29, 7);
    painter.drawLine(22, 4, 28, 10);
    painter.drawLine(28, 4, 22, 10);
    painter.setPen(white);
    painter.drawPoint(25, 7);
    painter.end();
    return icon;
}
