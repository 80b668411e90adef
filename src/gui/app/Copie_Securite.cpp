#include "Copie_Securite.h"

#include "core/app/CopieEnFond.h"
#include "core/platform/ChoixFichier.h"
#include "gui/platform/Apparence.h"

#include <QCloseEvent>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

Copie_Securite::Copie_Securite(CopieEnFond& copie, ChoixFichier*& choix, QWidget* parent)
    : QWidget(parent, Qt::Window), m_copie(copie), m_choix(choix)
{
    setObjectName(QStringLiteral("Copie_Securite"));
    Apparence::clavier(this);
    setWindowTitle(QStringLiteral("Copie de sécurité"));
    setAccessibleName(windowTitle());

    auto* explication = Apparence::etiquette(
        this, "Explication_Copie",
        QStringLiteral("Une copie des logs, de la liste des prénoms et des réglages, dans un "
                       "dossier d'un autre disque (clé USB, partage réseau, dossier "
                       "synchronisé). Elle est faite aussi à la fermeture du programme ; "
                       "laissez le dossier vide pour ne pas en faire."));
    explication->setWordWrap(true);

    Dossier_Copie = Apparence::nomme(new QLineEdit(this), "Dossier_Copie");
    Dossier_Copie->setAccessibleName(QStringLiteral("Dossier de la copie"));
    Dossier_Copie->setText(QDir::toNativeSeparators(m_copie.dossier()));
    Dossier_Copie->setMinimumWidth(Dossier_Copie->fontMetrics().averageCharWidth() * 40);
    Choisir = Apparence::nomme(new QPushButton(QStringLiteral("C&hoisir…"), this), "Choisir");
    Copier =
        Apparence::nomme(new QPushButton(QStringLiteral("Copier &maintenant"), this), "Copier");
    Fermer = Apparence::nomme(new QPushButton(QStringLiteral("&Fermer"), this), "Fermer");
    Derniere_Copie = Apparence::etiquette(this, "Derniere_Copie", QString());
    Resultat_Copie = Apparence::etiquette(this, "Resultat_Copie", QString());
    Resultat_Copie->setWordWrap(true);
    Resultat_Copie->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Resultat_Copie->setMinimumHeight(Resultat_Copie->fontMetrics().height() * 3);

    auto* ligneDossier = new QHBoxLayout;
    ligneDossier->addWidget(Dossier_Copie, 1);
    ligneDossier->addWidget(Choisir);
    auto* formulaire = new QFormLayout;
    auto* etiquetteDossier = new QLabel(QStringLiteral("&Dossier :"), this);
    etiquetteDossier->setBuddy(Dossier_Copie);
    formulaire->addRow(etiquetteDossier, ligneDossier);
    formulaire->addRow(QStringLiteral("Dernière copie :"), Derniere_Copie);
    formulaire->addRow(QStringLiteral("Résultat :"), Resultat_Copie);
    auto* boutons = new QHBoxLayout;
    boutons->addWidget(Copier);
    boutons->addStretch(1);
    boutons->addWidget(Fermer);
    auto* colonne = new QVBoxLayout(this);
    colonne->addWidget(explication);
    colonne->addLayout(formulaire);
    colonne->addStretch(1);
    colonne->addLayout(boutons);

    connect(Choisir, &QPushButton::clicked, this, &Copie_Securite::Choisir_Click);
    connect(Copier, &QPushButton::clicked, this, &Copie_Securite::Copier_Click);
    connect(Fermer, &QPushButton::clicked, this, &QWidget::close);
    connect(Dossier_Copie, &QLineEdit::editingFinished, this, &Copie_Securite::enregistreDossier);
    connect(&m_copie, &CopieEnFond::terminee, this, [this] { afficheDerniere(); });
    afficheDerniere();
    adjustSize();
    Apparence::centreFenetre(this);
}

Copie_Securite::~Copie_Securite()
{
    // The folder's box, closed with the window, loses the focus once this
    // window is gone: its last word is not heard.
    Dossier_Copie->disconnect(this);
}

void Copie_Securite::Choisir_Click()
{
    const QString choisi = m_choix->dossierAChoisir(
        QStringLiteral("Dossier de la copie de sécurité"), Dossier_Copie->text());
    if (choisi.isEmpty())
        return;
    Dossier_Copie->setText(QDir::toNativeSeparators(choisi));
    enregistreDossier();
}

void Copie_Securite::Copier_Click()
{
    if (!enregistreDossier())
        return;
    if (m_copie.dossier().isEmpty()) {
        Resultat_Copie->setText(QStringLiteral("Choisissez d'abord le dossier de la copie."));
        Dossier_Copie->setFocus();
        return;
    }
    if (m_copie.lance())
        afficheDerniere();
}

void Copie_Securite::closeEvent(QCloseEvent* evenement)
{
    enregistreDossier();
    QWidget::closeEvent(evenement);
}

// Only a whole path is kept: a relative one would name a folder of the
// program's working directory, on the disk of the logs.
bool Copie_Securite::enregistreDossier()
{
    const QString dossier = QDir::fromNativeSeparators(Dossier_Copie->text().trimmed());
    if (!dossier.isEmpty() && QDir::isRelativePath(dossier)) {
        Resultat_Copie->setText(QStringLiteral("Donnez le chemin complet du dossier (par "
                                               "exemple celui d'une clé USB ou d'un autre "
                                               "disque) : « %1 » n'en est pas un.")
                                    .arg(Dossier_Copie->text()));
        return false;
    }
    m_copie.changeDossier(dossier);
    return true;
}

void Copie_Securite::afficheDerniere()
{
    const bool enCours = m_copie.enCours();
    Copier->setEnabled(!enCours);
    const QString quand = m_copie.derniere();
    Derniere_Copie->setText(quand.isEmpty() ? QStringLiteral("aucune") : quand);
    Resultat_Copie->setText(enCours ? QStringLiteral("Copie en cours…") : m_copie.resultat());
}
