#include "Annuaire_En_Ligne.h"

#include "core/app/Reglages.h"
#include "core/callbook/Annuaire.h"
#include "core/cluster/ReglagesCluster.h"
#include "gui/platform/Apparence.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

Annuaire_En_Ligne::Annuaire_En_Ligne(StockReglages& reglages, const QString& indicatifStation,
                                     Garde garde, QWidget* parent)
    : QWidget(parent, Qt::Window), m_reglages(reglages),
      m_indicatif(ReglagesCluster::indicatifDeStation(indicatifStation)), m_garde(std::move(garde)),
      m_essai(new Annuaire(this)), m_borne(Annuaire::borneMs)
{
    setObjectName(QStringLiteral("Annuaire_En_Ligne"));
    Apparence::clavier(this);
    setWindowTitle(QStringLiteral("Annuaire en ligne"));
    setAccessibleName(windowTitle());
    setAttribute(Qt::WA_DeleteOnClose);

    auto* explication = Apparence::etiquette(
        this, "Explication_Annuaire",
        QStringLiteral("Le prénom d'une station jamais contactée, cherché dans un annuaire en "
                       "ligne quand l'indicatif est validé. Le mot de passe est gardé par le "
                       "trousseau du système, jamais dans un fichier du programme."));
    explication->setWordWrap(true);
    Service_Annuaire = Apparence::nomme(new QComboBox(this), "Service_Annuaire");
    Service_Annuaire->addItems(
        {QStringLiteral("Aucun"), QStringLiteral("HamQTH"), QStringLiteral("QRZ.com")});
    Utilisateur_Annuaire = Apparence::nomme(new QLineEdit(this), "Utilisateur_Annuaire");
    Mot_De_Passe_Annuaire = Apparence::nomme(new QLineEdit(this), "Mot_De_Passe_Annuaire");
    Mot_De_Passe_Annuaire->setEchoMode(QLineEdit::Password);
    Mot_De_Passe_Annuaire->setPlaceholderText(QStringLiteral("inchangé s'il est laissé vide"));
    Mot_De_Passe_Annuaire->setMinimumWidth(Mot_De_Passe_Annuaire->fontMetrics().averageCharWidth() *
                                           30);
    Tester = Apparence::nomme(new QPushButton(QStringLiteral("&Tester"), this), "Tester");
    Enregistrer =
        Apparence::nomme(new QPushButton(QStringLiteral("&Enregistrer"), this), "Enregistrer");
    Fermer = Apparence::nomme(new QPushButton(QStringLiteral("&Fermer"), this), "Fermer");
    Resultat_Annuaire = Apparence::etiquette(this, "Resultat_Annuaire", QString());
    Resultat_Annuaire->setWordWrap(true);
    Resultat_Annuaire->setMinimumHeight(Resultat_Annuaire->fontMetrics().height() * 2);

    auto* formulaire = new QFormLayout;
    const auto ligne = [this, formulaire](const QString& texte, QWidget* champ) {
        auto* etiquette = new QLabel(texte, this);
        etiquette->setBuddy(champ);
        champ->setAccessibleName(
            QString(texte).remove(QLatin1Char('&')).remove(QStringLiteral(" :")));
        formulaire->addRow(etiquette, champ);
    };
    ligne(QStringLiteral("&Annuaire :"), Service_Annuaire);
    ligne(QStringLiteral("&Identifiant :"), Utilisateur_Annuaire);
    ligne(QStringLiteral("&Mot de passe :"), Mot_De_Passe_Annuaire);
    formulaire->addRow(QStringLiteral("Résultat :"), Resultat_Annuaire);
    auto* boutons = new QHBoxLayout;
    boutons->addWidget(Tester);
    boutons->addStretch(1);
    boutons->addWidget(Enregistrer);
    boutons->addWidget(Fermer);
    auto* colonne = new QVBoxLayout(this);
    colonne->addWidget(explication);
    colonne->addLayout(formulaire);
    colonne->addStretch(1);
    colonne->addLayout(boutons);

    const ReglagesAnnuaire r = ReglagesAnnuaire::lit(m_reglages);
    Service_Annuaire->setCurrentIndex(int(r.service));
    Utilisateur_Annuaire->setText(r.utilisateur);

    connect(Tester, &QPushButton::clicked, this, &Annuaire_En_Ligne::Tester_Click);
    connect(Enregistrer, &QPushButton::clicked, this, &Annuaire_En_Ligne::Enregistrer_Click);
    connect(Fermer, &QPushButton::clicked, this, &QWidget::close);
    connect(m_essai, &Annuaire::testTermine, this, [this](bool, const QString& texte) {
        Resultat_Annuaire->setText(texte);
        Tester->setEnabled(true);
    });
    adjustSize();
    Apparence::centreFenetre(this);
}

Annuaire_En_Ligne::~Annuaire_En_Ligne()
{
    m_essai->disconnect(this);
}

ReglagesAnnuaire Annuaire_En_Ligne::reglagesMontres() const
{
    ReglagesAnnuaire r = ReglagesAnnuaire::lit(m_reglages);
    r.service = ReglagesAnnuaire::Service(Service_Annuaire->currentIndex());
    r.utilisateur = Utilisateur_Annuaire->text().trimmed();
    return r;
}

void Annuaire_En_Ligne::Tester_Click()
{
    if (m_indicatif.isEmpty() || m_indicatif == Reglages::indicatifAucun) {
        Resultat_Annuaire->setText(QStringLiteral("Choisissez d'abord l'indicatif de la station."));
        return;
    }
    Resultat_Annuaire->setText(QStringLiteral("Connexion en cours…"));
    Tester->setEnabled(false);
    m_essai->configure(reglagesMontres(), Mot_De_Passe_Annuaire->text(), m_borne);
    m_essai->teste(m_indicatif);
}

void Annuaire_En_Ligne::Enregistrer_Click()
{
    const ReglagesAnnuaire r = reglagesMontres();
    const Statut ecrit = r.ecrit(m_reglages);
    if (!ecrit) {
        Resultat_Annuaire->setText(ecrit.message);
        return;
    }
    m_garde(r, Mot_De_Passe_Annuaire->text());
    Mot_De_Passe_Annuaire->clear();
    Resultat_Annuaire->setText(QStringLiteral("Réglages enregistrés."));
}
