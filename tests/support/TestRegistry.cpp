// The registry and runner behind WELD_REGISTER_TEST.
#include "TestRegistry.h"

#include <QTest>
#include <utility>
#include <vector>

namespace weldtest {
namespace {

std::vector<std::pair<QByteArray, TestFactory>> &registry()
{
    static std::vector<std::pair<QByteArray, TestFactory>> tests;
    return tests;
}

} // namespace

bool registerTest(const char *name, TestFactory factory)
{
    registry().emplace_back(name, std::move(factory));
    return true;
}

int runRegisteredTests(int argc, char **argv)
{
    // "-class Name" picks one class; every other argument goes to Qt Test unchanged.
    QByteArray only;
    std::vector<char *> arguments;
    for (int i = 0; i < argc; ++i) {
        if (qstrcmp(argv[i], "-class") == 0 && i + 1 < argc) {
            only = argv[++i];
            continue;
        }
        arguments.push_back(argv[i]);
    }
    int failedClasses = 0;
    for (auto &[name, factory] : registry()) {
        if (!only.isEmpty() && name != only)
            continue;
        std::unique_ptr<QObject> test = factory();
        if (QTest::qExec(test.get(), int(arguments.size()), arguments.data()) != 0)
            ++failedClasses;
    }
    return failedClasses;
}

} // namespace weldtest
