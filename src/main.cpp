#include "app/Main.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    Main window;
    window.show();
    return app.exec();
}
