#include "Fenetres.h"

#include "core/web/Web.h"
#include "gui/platform/Apparence.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace Fenetres {

QSize taillePage(const QWidget* fenetre)
{
    const QSize zone = Apparence::placeLibre(fenetre);
    return {qMin(1100, zone.width() * 85 / 100), qMin(780, zone.height() * 75 / 100)};
}

void fermeALaFin(QWidget* fenetre)
{
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, fenetre,
                     [fenetre] { delete fenetre; });
}

void placeBasse(QWidget* fenetre)
{
    QScreen* ecran = Apparence::ecranDe(fenetre);
    if (!ecran)
        return;
    const QRect zone = ecran->availableGeometry();
    const qreal ppp = ecran->logicalDotsPerInchY();
    const QSize bord = Apparence::bordFenetre(fenetre);
    const QSize taille = Web::tailleBasse(zone, fenetre->size() + bord, ppp) - bord;
    fenetre->resize(taille.expandedTo(fenetre->minimumSizeHint()));
    if (fenetre->isWindow() && !fenetre->isVisible())
        fenetre->setScreen(ecran);
    fenetre->move(Web::positionBasse(zone, fenetre->size() + bord, ppp));
}

} // namespace Fenetres
