// Collects the test classes of one test executable, so that each folder of tests builds one program.
#pragma once

#include <QObject>
#include <functional>
#include <memory>

namespace weldtest {

using TestFactory = std::function<std::unique_ptr<QObject>()>;

bool registerTest(const char *name, TestFactory factory);
// Runs every registered class (or those named with -class Name) and returns the number of failed classes.
int runRegisteredTests(int argc, char **argv);

} // namespace weldtest

#define WELD_REGISTER_TEST(Class)                                                                  \
    static const bool weldRegistered##Class =                                                      \
        weldtest::registerTest(#Class, [] { return std::unique_ptr<QObject>(new Class); })
