#include "Fenetres.h"

#include "core/web/Sites.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace Fenetres {

QSize Taille_Page(const QWidget* fenetre)
{
    const QScreen* ecran = fenetre->screen() ? fenetre->screen() : QGuiApplication::primaryScreen();
    if (!ecran)
        return {1000, 700};
    const QRect zone = ecran->availableGeometry();
    return {qMin(1100, zone.width() * 85 / 100), qMin(780, zone.height() * 75 / 100)};
}

void Ferme_A_La_Fin(QWidget* fenetre)
{
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, fenetre,
                     [fenetre] { delete fenetre; });
}

void Place_Basse(QWidget* fenetre)
{
    const QScreen* ecran = fenetre->screen() ? fenetre->screen() : QGuiApplication::primaryScreen();
    if (!ecran)
        return;
    fenetre->move(Web::Position_Basse(ecran->availableGeometry(), fenetre->frameGeometry().size(),
                                      ecran->logicalDotsPerInchY()));
}

} // namespace Fenetres
