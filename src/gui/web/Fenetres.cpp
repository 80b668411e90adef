#include "Fenetres.h"

#include "core/web/Sites.h"
#include "gui/platform/Apparence.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace Fenetres {

QSize Taille_Page(const QWidget* fenetre)
{
    const QSize zone = Apparence::Place_Libre(fenetre);
    return {qMin(1100, zone.width() * 85 / 100), qMin(780, zone.height() * 75 / 100)};
}

void Ferme_A_La_Fin(QWidget* fenetre)
{
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, fenetre,
                     [fenetre] { delete fenetre; });
}

void Place_Basse(QWidget* fenetre)
{
    QScreen* ecran = Apparence::Ecran(fenetre);
    if (!ecran)
        return;
    const QRect zone = ecran->availableGeometry();
    const qreal ppp = ecran->logicalDotsPerInchY();
    const QSize bord = Apparence::Bord_Fenetre(fenetre);
    const QSize taille = Web::Taille_Basse(zone, fenetre->size() + bord, ppp) - bord;
    fenetre->resize(taille.expandedTo(fenetre->minimumSizeHint()));
    if (fenetre->isWindow() && !fenetre->isVisible())
        fenetre->setScreen(ecran);
    fenetre->move(Web::Position_Basse(zone, fenetre->size() + bord, ppp));
}

} // namespace Fenetres
