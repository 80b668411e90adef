#include "Station.h"

#include "Apparence.h"
#include "Main.h"
#include "SettingsKeys.h"
#include "entry/EntryBinding.h"
#include "log/StationLog.h"
#include "log/Texte.h"
#include "platform/MessageBox.h"
#include "platform/SettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

bool caractereValide(QChar c)
{
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
           (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('_');
}

} // namespace

Station::Station(const Services& services, Main& main)
    : QDialog(nullptr), m_services(services), m_main(main)
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

    m_main.Change_Indicatif_Courant(Main::Indicatif_Enregistre(m_services.reglages));
    New_Indicatif->clear();
    New_Indicatif->setFocus();

    colonne->setContentsMargins(16, 12, 16, 12);
    adjustSize();
    Apparence::Centre(this);
}

bool Station::eventFilter(QObject* objet, QEvent* evenement)
{
    if (objet != New_Indicatif || evenement->type() != QEvent::KeyPress)
        return QDialog::eventFilter(objet, evenement);

    const auto* touche = static_cast<QKeyEvent*>(evenement);
    if (Apparence::Entree(touche)) {
        Apparence::Fond(New_Indicatif, Apparence::Blanc);
        Validation->setFocus();
        return true;
    }
    if (Apparence::Majuscule_Tapee(New_Indicatif, touche))
        return true;
    if (touche->text() == QLatin1String("/") &&
        !(touche->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        New_Indicatif->insert(QStringLiteral("_"));
        return true;
    }
    return false;
}

void Station::Validation_Click()
{
    MessageBox& messages = m_services.messages;
    SettingsStore& reglages = m_services.reglages;

    const QString candidat = Texte::Majuscules_Tapees(New_Indicatif->text());
    if (candidat.isEmpty()) {
        messages.notice(QStringLiteral("Vous devez entrer un indicatif"));
        return;
    }
    if (candidat.size() > Longueur_Maxi) {
        messages.notice(QStringLiteral("12 caracteres maximum pour l'indicatif"));
        return;
    }
    for (const QChar c : candidat) {
        if (!caractereValide(c)) {
            messages.notice(QStringLiteral(
                "L'indicatif ne doit comporter que des lettres des chiffres ou le signe '_' "));
            New_Indicatif->clear();
            return;
        }
    }

    m_main.Change_Indicatif_Courant(candidat);
    m_main.Affiche_Station(QString());

    const QString section = Reglages::Section_Station(candidat);
    const QFileInfo log(QDir(m_services.dossier).filePath(StationLog::Nom_Fichier(candidat)));
    if (!log.exists() && !log.isSymLink()) {
        // The settings are written even when the log cannot be created: the
        // reload below then reports the missing log.
        const Status cree = StationLog::Cree_Log(m_services.dossier, candidat);
        if (!cree)
            messages.notice(cree.message);
        reglages.write(Reglages::Section_Globale, Reglages::Indicatif_Station, candidat);
        reglages.writeIndex(section, Reglages::Bande_Utilisee, 0);
        reglages.writeIndex(section, Reglages::Mode_Utilise, 0);
    } else {
        reglages.write(Reglages::Section_Globale, Reglages::Indicatif_Station, candidat);
    }

    QString affiche = reglages.read(Reglages::Section_Globale, Reglages::Indicatif_Station,
                                    Reglages::Indicatif_Aucun);
    affiche.replace(QLatin1Char('_'), QLatin1Char('/'));
    m_main.Affiche_Station(affiche);

    m_main.Choisit_Bande_Mode(reglages.readIndex(section, Reglages::Bande_Utilisee, 0),
                              reglages.readIndex(section, Reglages::Mode_Utilise, 0));

    if (!m_main.Charge_Log())
        return;
    EntryBinding* saisie = m_main.Liaison_Saisie();
    saisie->agit([saisie] { saisie->modele().Change_Station(); });

    close();
}
