// Fuzzes the rich-text reader: no crash, no undefined behaviour, no recursion however deep the
// groups; memory at its peak within a fixed multiple of the input's size; only texts starting as
// rich text are accepted; and any text it returns, written back as rich text, reads as the same
// text.
#include "RtfReader.h"

#include <sanitizer/allocator_interface.h>

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char *what, const QString &detail)
{
    std::fprintf(stderr, "fuzz_rtf: %s: %s\n", what, detail.toUtf8().constData());
    std::abort();
}

// The text as the simplest writer would put it: escapes, \par, \tab, and \uN for the rest.
QByteArray asRtf(const QString &text)
{
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1251 ";
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        if (unit == u'\\' || unit == u'{' || unit == u'}') {
            rtf += '\\';
            rtf += char(unit);
        } else if (unit == u'\n') {
            rtf += "\\par ";
        } else if (unit == u'\t') {
            rtf += "\\tab ";
        } else if (unit >= 0x20 && unit < 0x80) {
            rtf += char(unit);
        } else {
            rtf += "\\u" + QByteArray::number(int(std::int16_t(unit))) + '?';
        }
    }
    // A last paragraph mark closes the last paragraph; an empty last paragraph needs its own.
    if (text.endsWith(QLatin1Char('\n')))
        rtf += "\\par";
    return rtf + '}';
}

// The heap this process holds, followed through the sanitizer's allocation hooks while `tracking`.
bool tracking = false;
std::size_t heldBytes = 0;
std::size_t peakBytes = 0;

void onAllocation(const volatile void *, std::size_t size)
{
    if (!tracking)
        return;
    heldBytes += size;
    peakBytes = std::max(peakBytes, heldBytes);
}

void onRelease(const volatile void *pointer)
{
    if (!tracking)
        return;
    const std::size_t size = __sanitizer_get_allocated_size(const_cast<const void *>(pointer));
    heldBytes -= std::min(heldBytes, size);
}

// Generous for the document the reader returns (a run or a paragraph per few bytes), far below
// the hundred bytes per byte that a state per nested group would cost.
constexpr std::size_t bytesPerInputByte = 64;
constexpr std::size_t fixedBytes = 64 * 1024;

std::optional<RtfDocument> readMeasured(QByteArrayView bytes)
{
    static const bool hooked = __sanitizer_install_malloc_and_free_hooks(onAllocation, onRelease) != 0;
    if (!hooked)
        return readRtf(bytes);
    heldBytes = 0;
    peakBytes = 0;
    tracking = true;
    std::optional<RtfDocument> document = readRtf(bytes);
    tracking = false;
    if (peakBytes > bytesPerInputByte * std::size_t(bytes.size()) + fixedBytes)
        fail("memory", QStringLiteral("%1 bytes at the peak for %2 bytes of input").arg(peakBytes).arg(bytes.size()));
    return document;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<RtfDocument> document = readMeasured(bytes);
    if (document.has_value() != isRtf(bytes))
        fail("accepted", QString::fromLatin1(bytes.first(std::min<qsizetype>(16, bytes.size())).toByteArray()));
    if (!document)
        return 0;
    if (document->paragraphs.empty())
        fail("no paragraph", QString());
    const QString text = document->plainText();
    for (const QChar c : text) {
        if (c.unicode() == 0 || c.unicode() == u'\r')
            fail("NUL or CR in the text", text);
    }
    const std::optional<RtfDocument> again = readRtf(asRtf(text));
    if (!again || again->plainText() != text)
        fail("text written back reads differently", text);
    return 0;
}
