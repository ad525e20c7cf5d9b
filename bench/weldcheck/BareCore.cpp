// A Qt Core program that starts and exits: what one joint's run of weldcheck is measured against.
#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    return 0;
}
