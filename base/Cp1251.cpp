// The Windows-1251 code page: decoding, checked encoding, and the caption fallback.
#include "Cp1251.h"

#include "Errors.h"

#include <array>
#include <cstdint>

namespace {

// Bytes 0x80 to 0xBF; 0xC0 to 0xFF are U+0410 to U+044F, the rest is ASCII.
constexpr std::array<char16_t, 64> upperHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

char16_t charOf(std::uint8_t byte)
{
    if (byte < 0x80)
        return byte;
    if (byte >= 0xC0)
        return char16_t(0x0410 + (byte - 0xC0));
    return upperHalf[byte - 0x80];
}

// The highest code unit the code page holds is U+2122; below it, 0 marks a missing character
// (no unit from U+0080 on encodes to byte 0).
constexpr char16_t highestEncodable = 0x2122;

const std::array<std::uint8_t, highestEncodable + 1> &byteTable()
{
    static const auto table = [] {
        std::array<std::uint8_t, highestEncodable + 1> bytes{};
        for (int byte = 0; byte < 256; ++byte)
            bytes[charOf(std::uint8_t(byte))] = std::uint8_t(byte);
        return bytes;
    }();
    return table;
}

// The byte of one UTF-16 unit, or -1. Surrogates never encode, paired or not.
int byteOf(char16_t unit)
{
    if (unit < 0x80)
        return unit;
    if (unit > highestEncodable)
        return -1;
    const std::uint8_t byte = byteTable()[unit];
    return byte == 0 ? -1 : byte;
}

// Length in UTF-16 units of the character starting at `index`: a surrogate pair is one character.
qsizetype characterLength(QStringView text, qsizetype index)
{
    return QChar::isHighSurrogate(text[index].unicode()) && index + 1 < text.size()
                   && QChar::isLowSurrogate(text[index + 1].unicode())
               ? 2
               : 1;
}

[[noreturn]] void throwUnencodable(QStringView text, qsizetype index)
{
    // Lines end at CR LF, CR or LF; columns count characters, a surrogate pair as one.
    int line = 1;
    int column = 1;
    for (qsizetype i = 0; i < index;) {
        const char16_t unit = text[i].unicode();
        if (unit == u'\r' || unit == u'\n') {
            ++line;
            column = 1;
            i += (unit == u'\r' && i + 1 < index && text[i + 1] == u'\n') ? 2 : 1;
            continue;
        }
        ++column;
        i += characterLength(text, i);
    }
    const qsizetype length = characterLength(text, index);
    const char32_t codePoint = length == 2 ? QChar::surrogateToUcs4(text[index], text[index + 1])
                                           : char32_t(text[index].unicode());
    const QString code = QStringLiteral("U+%1")
                             .arg(qulonglong(codePoint), codePoint > 0xFFFF ? 5 : 4, 16, QLatin1Char('0'))
                             .toUpper();
    // The character itself only where it can be seen; a lone surrogate or a control is named
    // by its code alone.
    const bool visible = length == 2 || (!QChar::isSurrogate(codePoint) && QChar::isPrint(codePoint));
    const QString character = visible ? QStringLiteral("«%1» (%2)").arg(text.mid(index, length), code) : code;
    throw UnencodableTextError(QStringLiteral("Символ %1 в строке %2, позиция %3 нельзя записать "
                                              "в кодировке Windows-1251")
                                   .arg(character)
                                   .arg(line)
                                   .arg(column));
}

} // namespace

QString decodeCp1251(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = charOf(std::uint8_t(bytes[i]));
    return text;
}

qsizetype firstUnencodableCp1251(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (byteOf(text[i].unicode()) < 0)
            return i;
    }
    return -1;
}

QByteArray encodeCp1251(QStringView text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int byte = byteOf(text[i].unicode());
        if (byte < 0)
            throwUnencodable(text, i);
        bytes[i] = char(byte);
    }
    return bytes;
}

QString restrictToCp1251(QStringView text)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        if (byteOf(text[i].unicode()) < 0) {
            result += QLatin1Char('?');
            i += characterLength(text, i);
        } else {
            result += text[i++];
        }
    }
    return result;
}
