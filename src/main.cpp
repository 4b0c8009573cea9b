#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarnwake"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Tarnwake"));
    window.show();
    return QApplication::exec();
}
