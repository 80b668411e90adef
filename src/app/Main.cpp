#include "Main.h"

Main::Main(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QStringLiteral("RQN_KZT"));
}
