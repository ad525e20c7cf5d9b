// Entry point of a test program that needs no GUI.
#include "TestRegistry.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    return weldtest::runRegisteredTests(argc, argv);
}
