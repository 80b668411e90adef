#include "Pages.h"

#include "Fenetres.h"
#include "core/web/Web.h"
#include "gui/platform/Apparence.h"
#include "gui/platform/VueWeb.h"

#include <QVBoxLayout>

namespace {

VueWeb* vue(QWidget* fenetre)
{
    auto* web = new VueWeb(fenetre);
    web->setObjectName(QStringLiteral("WebBrowser1"));
    web->setAccessibleName(fenetre->windowTitle());
    auto* colonne = new QVBoxLayout(fenetre);
    colonne->setContentsMargins(0, 0, 0, 0);
    colonne->addWidget(web);
    return web;
}

QUrl adresse(const Services& services, const QString& chemin)
{
    return Web::adressePage(Web::siteWeb(services.reglages, Web::cleSiteKzt, Web::siteKzt), chemin);
}

} // namespace

Liste_KZT1::Liste_KZT1(const Services& services, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Liste_KZT1"));
    setWindowTitle(QStringLiteral("Liste des départements activés de ") + Web::gestionnaireListe);
    setAccessibleName(windowTitle());
    setModal(true);
    Fenetres::echapFerme(this);
    WebBrowser1 = vue(this);
    resize(Fenetres::taillePage(this));
    Fenetres::placeBasse(this);
    WebBrowser1->ouvre(adresse(services, Web::cheminListeKzt));
}

void Liste_KZT1::ouvreFenetre(const Services& services, QWidget* parent)
{
    Liste_KZT1 fenetre(services, parent);
    fenetre.exec();
}

Reglement::Reglement(const Services& services, QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Reglement"));
    Apparence::clavier(this);
    Fenetres::echapFerme(this);
    setWindowTitle(QStringLiteral("Reglement du diplome KZT"));
    setAccessibleName(windowTitle());
    setAttribute(Qt::WA_DeleteOnClose);
    WebBrowser1 = vue(this);
    resize(Fenetres::taillePage(this));
    Fenetres::placeBasse(this);
    WebBrowser1->ouvre(adresse(services, Web::cheminReglement));
}

Reglement* Reglement::ouvreFenetre(const Services& services, QWidget* parent)
{
    return Apparence::ouvreUneFois<Reglement>(parent, [&] {
        auto* fenetre = new Reglement(services, parent);
        Fenetres::fermeALaFin(fenetre);
        return fenetre;
    });
}
