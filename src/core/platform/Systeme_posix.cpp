#include "Systeme.h"

namespace Systeme {

QString exemplePortSerie()
{
    return QStringLiteral("/dev/ttyUSB0");
}

bool renommeSurFichierOuvert()
{
    return true;
}

bool pagesDansLeProgramme()
{
    return true;
}

} // namespace Systeme
