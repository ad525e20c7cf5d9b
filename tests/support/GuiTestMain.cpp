// Entry point of a test program that drives real widgets (under the offscreen platform in CI).
#include "TestRegistry.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    return weldtest::runRegisteredTests(argc, argv);
}
