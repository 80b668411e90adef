#include "Station.h"

#include "gui/platform/Apparence.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

Station::Station(const Services& services)
    : QDialog(nullptr), m_modele(services.dossier, services.reglages, services.messages)
{
    setObjectName(QStringLiteral("Station"));
    setWindowTitle(QStringLiteral("Indicatif de la station"));

    Label2 = new QLabel(QStringLiteral("INDICATIF  de  la STATION "), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    QFont titre = Label2->font();
    titre.setBold(true);
    titre.setPointSizeF(titre.pointSizeF() * 1.3);
    Label2->setFont(titre);
    Label2->setAlignment(Qt::AlignCenter);

    Label3 = new QLabel(this);
    Label3->setObjectName(QStringLiteral("Label3"));
    New_Indicatif = new QLineEdit(this);
    New_Indicatif->setObjectName(QStringLiteral("New_Indicatif"));
    New_Indicatif->setMinimumWidth(fontMetrics().averageCharWidth() * 16);
    New_Indicatif->installEventFilter(this);
    Label3->setBuddy(New_Indicatif);

    Validation = new QPushButton(this);
    Validation->setObjectName(QStringLiteral("Validation"));
    connect(Validation, &QPushButton::clicked, this, &Station::Validation_Click);

    Label5 = new QLabel(this);
    Label5->setObjectName(QStringLiteral("Label5"));

    auto* saisie = new QGridLayout;
    saisie->addWidget(Label3, 0, 0);
    saisie->addWidget(New_Indicatif, 0, 1);
    saisie->addWidget(Validation, 0, 2);
    auto* colonne = new QVBoxLayout(this);
    colonne->addWidget(Label2);
    colonne->addSpacing(8);
    colonne->addLayout(saisie);
    colonne->addWidget(Label5);

    Label2->setText(QStringLiteral("Indicatif de la Station"));
    Validation->setText(QStringLiteral("Validez"));
    Label3->setText(QStringLiteral("Indicatif"));
    Label5->setText(QStringLiteral("!!! Pour la saisie la '/' est remplacée par le '_'"));
    setWindowTitle(QStringLiteral("Selection Indicaif"));
    setAccessibleName(windowTitle());

    New_Indicatif->clear();
    New_Indicatif->setFocus();

    colonne->setContentsMargins(16, 12, 16, 12);
    adjustSize();
    Apparence::centreFenetre(this);
}

bool Station::eventFilter(QObject* objet, QEvent* evenement)
{
    if (objet != New_Indicatif || evenement->type() != QEvent::KeyPress)
        return QDialog::eventFilter(objet, evenement);

    const auto* touche = static_cast<QKeyEvent*>(evenement);
    if (Apparence::toucheEntree(touche)) {
        Apparence::couleurFond(New_Indicatif, Apparence::blanc);
        Validation->setFocus();
        return true;
    }
    // "/" is typed as "_", the letters as capitals.
    return Apparence::majusculeTapee(New_Indicatif, touche, ModeleStation::toucheSaisie);
}

void Station::Validation_Click()
{
    switch (m_modele.valide(New_Indicatif->text())) {
    case ModeleStation::Issue::Refuse:
    case ModeleStation::Issue::Fin:
        break;
    case ModeleStation::Issue::RefuseVidage:
        New_Indicatif->clear();
        break;
    case ModeleStation::Issue::Accepte:
        close();
        break;
    }
}
