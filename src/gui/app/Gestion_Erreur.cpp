#include "Gestion_Erreur.h"

#include "core/app/Reglages.h"
#include "core/platform/StockReglages.h"
#include "gui/platform/Apparence.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

Gestion_Erreur::Gestion_Erreur(const Services& services, std::function<void()> termine,
                               QWidget* parent)
    : QDialog(parent), m_services(services), m_termine(std::move(termine))
{
    setObjectName(QStringLiteral("Gestion_Erreur"));
    setWindowTitle(QStringLiteral("Gestion erreur 53"));
    setAccessibleName(windowTitle());
    setModal(true);

    QLabel* erreur = Apparence::etiquette(this, "Label2", QStringLiteral("ERREUR 53"));
    QFont titre = erreur->font();
    titre.setBold(true);
    titre.setPointSizeF(titre.pointSizeF() * 1.5);
    erreur->setFont(titre);
    erreur->setAlignment(Qt::AlignCenter);

    const QString indicatif = m_services.reglages.lit(
        Reglages::sectionGlobale, Reglages::indicatifStation, Reglages::indicatifAucun);
    QFont gras = font();
    gras.setBold(true);
    Ind_Station = Apparence::etiquette(this, "Ind_Station", indicatif);
    Ind_Station1 = Apparence::etiquette(this, "Ind_Station1", indicatif);
    Err_Departement = Apparence::etiquette(this, "Err_Departement", QString());
    for (QLabel* l : {Ind_Station, Ind_Station1, Err_Departement})
        l->setFont(gras);

    Initialisation = new QPushButton(QStringLiteral("Initialiser"), this);
    Initialisation->setObjectName(QStringLiteral("Initialisation"));
    Quitter = new QPushButton(QStringLiteral("Quitter"), this);
    Quitter->setObjectName(QStringLiteral("Quitter"));
    connect(Initialisation, &QPushButton::clicked, this, &Gestion_Erreur::Initialisation_Click);
    connect(Quitter, &QPushButton::clicked, this, &Gestion_Erreur::Quitter_Click);

    auto* ligneIndicatif = new QHBoxLayout;
    ligneIndicatif->setSpacing(0);
    ligneIndicatif->addWidget(Apparence::etiquette(
        this, "Label3",
        QStringLiteral("RQN_KZT a trouvé dans la base de registre l'indicatif  : ")));
    ligneIndicatif->addWidget(Ind_Station);
    ligneIndicatif->addStretch(1);

    auto* ligneFichier = new QHBoxLayout;
    ligneFichier->setSpacing(0);
    ligneFichier->addWidget(Ind_Station1);
    ligneFichier->addWidget(Err_Departement);
    ligneFichier->addStretch(1);

    auto* boutons = new QHBoxLayout;
    boutons->addStretch(1);
    boutons->addWidget(Initialisation);
    boutons->addWidget(Quitter);
    boutons->addStretch(1);

    auto* colonne = new QVBoxLayout(this);
    colonne->addWidget(erreur);
    colonne->addSpacing(8);
    colonne->addLayout(ligneIndicatif);
    colonne->addWidget(Apparence::etiquette(
        this, "Label6",
        QStringLiteral("Il n'a par contre pas trouvé dans son répértoire le fichier :")));
    colonne->addLayout(ligneFichier);
    colonne->addSpacing(8);
    colonne->addWidget(Apparence::etiquette(
        this, "Label7",
        QStringLiteral(
            "Pour remèdier à cet état, cliquez sur \"Initialiser\" puis sur \"Quitter\"")));
    colonne->addWidget(Apparence::etiquette(
        this, "Label9",
        QStringLiteral("une boite de dialogue vous demandera alors de spécifier votre indicatif")));
    colonne->addWidget(Apparence::etiquette(this, "Label1", QStringLiteral("Relancez RQN_KZT ")));
    colonne->addSpacing(8);
    colonne->addLayout(boutons);

    adjustSize();
    Apparence::centreFenetre(this);
}

void Gestion_Erreur::Initialisation_Click()
{
    m_services.reglages.ecrit(Reglages::sectionGlobale, Reglages::indicatifStation,
                              Reglages::indicatifAucun);
}

void Gestion_Erreur::Quitter_Click()
{
    m_termine();
    QDialog::reject();
}

void Gestion_Erreur::reject()
{
    Quitter_Click();
}
