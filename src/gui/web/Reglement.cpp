#include "Reglement.h"

#include "Fenetres.h"
#include "core/web/Web.h"
#include "gui/platform/Apparence.h"
#include "gui/platform/VueWeb.h"

Reglement::Reglement(const Services& services, QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Reglement"));
    Apparence::clavier(this);
    Fenetres::echapFerme(this);
    setWindowTitle(QStringLiteral("Reglement du diplome KZT"));
    setAccessibleName(windowTitle());
    setAttribute(Qt::WA_DeleteOnClose);
    WebBrowser1 = Fenetres::vuePage(this);
    WebBrowser1->ouvre(Fenetres::adresseKzt(services, Web::cheminReglement));
    resize(Fenetres::taillePage(this, WebBrowser1));
    Fenetres::placeBasse(this);
}

Reglement* Reglement::ouvreFenetre(const Services& services, QWidget* parent)
{
    return Apparence::ouvreUneFois<Reglement>(parent, [&] {
        auto* fenetre = new Reglement(services, parent);
        Fenetres::fermeALaFin(fenetre);
        return fenetre;
    });
}
