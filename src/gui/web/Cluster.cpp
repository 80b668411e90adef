#include "Cluster.h"

#include "Fenetres.h"
#include "core/platform/BoiteMessage.h"
#include "core/platform/StockReglages.h"
#include "core/web/Web.h"
#include "gui/platform/Apparence.h"
#include "gui/platform/VueWeb.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

Cluster::Cluster(const Services& services, std::function<QString()> indicatif, QWidget* parent)
    : QWidget(parent, Qt::Window), m_services(services), m_indicatif(std::move(indicatif))
{
    setObjectName(QStringLiteral("Cluster"));
    Apparence::clavier(this);
    Fenetres::echapFerme(this);
    setWindowTitle(QStringLiteral("Cluster"));
    setAccessibleName(windowTitle());
    setAttribute(Qt::WA_DeleteOnClose);

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::StyledPanel);

    Label2 = new QLabel(QStringLiteral("Cluster (DxCluster)"), Frame1);
    Label2->setObjectName(QStringLiteral("Label2"));
    QFont gras = Label2->font();
    gras.setBold(true);
    Label2->setFont(gras);
    Label3 = new QLabel(QStringLiteral("Bande"), Frame1);
    Label3->setObjectName(QStringLiteral("Label3"));
    Bande_CL = new QComboBox(Frame1);
    Bande_CL->setObjectName(QStringLiteral("Bande_CL"));
    Bande_CL->setEditable(false);
    Label3->setBuddy(Bande_CL);
    Apparence::nommeListe(Bande_CL, Label3->text());
    Afficher = new QPushButton(QStringLiteral("Afficher"), Frame1);
    Afficher->setObjectName(QStringLiteral("Afficher"));
    Label1 = new QLabel(QStringLiteral("Cluster remis a jour toutes les minutes"), Frame1);
    Label1->setObjectName(QStringLiteral("Label1"));

    auto* commandes = new QHBoxLayout(Frame1);
    commandes->addWidget(Label2);
    commandes->addSpacing(16);
    commandes->addWidget(Label3);
    commandes->addWidget(Bande_CL);
    commandes->addWidget(Afficher);
    commandes->addSpacing(16);
    commandes->addWidget(Label1);
    commandes->addStretch(1);

    WebBrowser1 = new VueWeb(this);
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    WebBrowser1->setAccessibleName(Label2->text());

    auto* colonne = new QVBoxLayout(this);
    colonne->addWidget(Frame1);
    colonne->addWidget(WebBrowser1, 1);

    connect(Afficher, &QPushButton::clicked, this, &Cluster::Afficher_Click);

    Bande_CL->addItems(Web::bandesCluster());
    Bande_CL->setCurrentIndex(Web::bandeLue(m_services.reglages, m_indicatif()));
    Afficher_Click();

    resize(Fenetres::taillePage(this, WebBrowser1));
    Apparence::centreFenetre(this);
}

void Cluster::Afficher_Click()
{
    int index = Bande_CL->currentIndex();
    if (index < 0)
        index = Web::bandeDefaut;
    Web::bandeEcrite(m_services.reglages, m_indicatif(), index);
    QString refus;
    const QString site =
        Web::siteWeb(m_services.reglages, Web::cleSiteCluster, Web::siteCluster, &refus);
    if (!refus.isEmpty() && !m_siteRefuseSignale) {
        // Once for the window: each band shown would say it again.
        m_siteRefuseSignale = true;
        m_services.messages.avise(refus);
    }
    WebBrowser1->ouvre(Web::adressePage(site, Web::cheminCluster(index)));
}

Cluster* Cluster::ouvreFenetre(const Services& services, std::function<QString()> indicatif,
                               QWidget* parent)
{
    return Apparence::ouvreUneFois<Cluster>(parent, [&] {
        auto* fenetre = new Cluster(services, std::move(indicatif), parent);
        Fenetres::fermeALaFin(fenetre);
        return fenetre;
    });
}
