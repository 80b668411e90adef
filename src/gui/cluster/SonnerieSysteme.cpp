#include "SonnerieSysteme.h"

#include <QApplication>

void SonnerieSysteme::sonne()
{
    QApplication::beep();
}
