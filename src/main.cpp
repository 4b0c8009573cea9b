#include "ui/game.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    return tw::runGame(app);
}
