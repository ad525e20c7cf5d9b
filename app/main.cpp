// Start-up of the weld calculator.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Расчет сварного шва"));
    window.show();
    return application.exec();
}
