// The decimal separator that the locale of a test run must give. CTest runs the test programs
// once per locale and names the separator in WELD_EXPECTED_SEPARATOR; a plain run has none.
#pragma once

#include <QChar>
#include <QString>
#include <QtGlobal>
#include <optional>

namespace weldtest {

inline std::optional<QChar> expectedLocaleSeparator()
{
    const QString expected = qEnvironmentVariable("WELD_EXPECTED_SEPARATOR");
    if (expected.size() != 1)
        return std::nullopt;
    return expected.front();
}

} // namespace weldtest

// Skips the test unless the run names the separator its locale must give; else sets `separator`.
#define WELD_FETCH_LOCALE_SEPARATOR(separator)                                                     \
    const std::optional<QChar> separator##Expected = weldtest::expectedLocaleSeparator();            \
    if (!separator##Expected)                                                                       \
        QSKIP("runs under the locale tests (WELD_EXPECTED_SEPARATOR names the separator)");        \
    const QChar separator = *separator##Expected
