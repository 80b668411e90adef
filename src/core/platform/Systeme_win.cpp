#include "Systeme.h"

namespace Systeme {

QString exemplePortSerie()
{
    return QStringLiteral("COM3");
}

bool renommeSurFichierOuvert()
{
    return false;
}

bool pagesDansLeProgramme()
{
    return false;
}

} // namespace Systeme
