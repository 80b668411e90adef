#include "Pages.h"

#include "Fenetres.h"
#include "core/web/Sites.h"
#include "gui/platform/Apparence.h"
#include "gui/platform/WebView.h"

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
    return Web::Adresse(Web::Site(services.reglages, Web::Cle_Site_KZT, Web::Site_KZT), chemin);
}

} // namespace

Liste_KZT1::Liste_KZT1(const Services& services, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Liste_KZT1"));
    setWindowTitle(QStringLiteral("Liste des départements activés de ") + Web::Gestionnaire_Liste);
    setAccessibleName(windowTitle());
    setModal(true);
    WebBrowser1 = vue(this);
    resize(Fenetres::Taille_Page(this));
    Fenetres::Place_Basse(this);
    WebBrowser1->ouvre(adresse(services, Web::Chemin_Liste_KZT));
}

void Liste_KZT1::Ouvre(const Services& services, QWidget* parent)
{
    Liste_KZT1 fenetre(services, parent);
    fenetre.exec();
}

Reglement::Reglement(const Services& services, QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Reglement"));
    Apparence::Clavier(this);
    setWindowTitle(QStringLiteral("Reglement du diplome KZT"));
    setAccessibleName(windowTitle());
    setAttribute(Qt::WA_DeleteOnClose);
    WebBrowser1 = vue(this);
    resize(Fenetres::Taille_Page(this));
    Fenetres::Place_Basse(this);
    WebBrowser1->ouvre(adresse(services, Web::Chemin_Reglement));
}

Reglement* Reglement::Ouvre(const Services& services, QWidget* parent)
{
    return Apparence::Ouvre_Une_Fois<Reglement>(parent, [&] {
        auto* fenetre = new Reglement(services, parent);
        Fenetres::Ferme_A_La_Fin(fenetre);
        return fenetre;
    });
}
