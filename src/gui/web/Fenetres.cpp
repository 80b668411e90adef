#include "Fenetres.h"

#include "core/app/Services.h"
#include "core/platform/BoiteMessage.h"
#include "core/web/Web.h"
#include "gui/platform/Apparence.h"
#include "gui/platform/VueWeb.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>

namespace Fenetres {

VueWeb* vuePage(QWidget* fenetre)
{
    auto* web = new VueWeb(fenetre);
    web->setObjectName(QStringLiteral("WebBrowser1"));
    web->setAccessibleName(fenetre->windowTitle());
    auto* colonne = new QVBoxLayout(fenetre);
    colonne->setContentsMargins(0, 0, 0, 0);
    colonne->addWidget(web);
    return web;
}

QUrl adresseKzt(const Services& services, const QString& chemin)
{
    QString refus;
    const QString site = Web::siteWeb(services.reglages, Web::cleSiteKzt, Web::siteKzt, &refus);
    if (!refus.isEmpty())
        services.messages.avise(refus);
    return Web::adressePage(site, chemin);
}

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
