#include "Liste_KZT1.h"

#include "Fenetres.h"
#include "core/web/Web.h"
#include "gui/platform/VueWeb.h"

Liste_KZT1::Liste_KZT1(const Services& services, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Liste_KZT1"));
    setWindowTitle(QStringLiteral("Liste des départements activés de ") + Web::gestionnaireListe);
    setAccessibleName(windowTitle());
    setModal(true);
    Fenetres::echapFerme(this);
    WebBrowser1 = Fenetres::vuePage(this);
    WebBrowser1->ouvre(Fenetres::adresseKzt(services, Web::cheminListeKzt));
    resize(Fenetres::taillePage(this, WebBrowser1));
    Fenetres::placeBasse(this);
}

void Liste_KZT1::ouvreFenetre(const Services& services, QWidget* parent)
{
    Liste_KZT1 fenetre(services, parent);
    fenetre.exec();
}
