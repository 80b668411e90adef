#include "Aff_Contacte.h"

#include "core/awards/MoulinsContactes.h"
#include "core/log/Groupe.h"
#include "core/log/StationLog.h"
#include "core/platform/BoiteMessage.h"
#include "core/platform/Horloge.h"
#include "gui/platform/Apparence.h"
#include "gui/platform/Imprimante.h"
#include "gui/platform/TitresColonnes.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>
#include <QVBoxLayout>

Aff_Contacte::Aff_Contacte(const Services& services, std::function<QString()> indicatif,
                           QWidget* parent)
    : QWidget(parent, Qt::Window), m_services(services), m_indicatif(std::move(indicatif)),
      m_imprimanteSysteme(std::make_unique<ImprimanteSysteme>()),
      m_imprimante(m_imprimanteSysteme.get())
{
    setObjectName(QStringLiteral("Aff_Contacte"));
    Apparence::clavier(this);
    setWindowTitle(QStringLiteral("Liste alphanumerique des moulins contactés"));
    setAccessibleName(windowTitle());

    Compt_C = Apparence::nomme(new QLabel(QStringLiteral("0"), this), "Compt_C");
    Compt_V = Apparence::nomme(new QLabel(QStringLiteral("0"), this), "Compt_V");
    for (QLabel* compte : {Compt_C, Compt_V}) {
        compte->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        compte->setMinimumWidth(compte->fontMetrics().horizontalAdvance(QStringLiteral("000000")));
    }
    Label3 =
        Apparence::nomme(new QLabel(QStringLiteral("Moulins contactés bande"), this), "Label3");
    Label4 =
        Apparence::nomme(new QLabel(QStringLiteral("Moulins confirmés bande"), this), "Label4");
    Bande_D = Apparence::nomme(new QComboBox(this), "Bande_D");
    Apparence::nommeListe(Bande_D, QStringLiteral("Bande"));
    Afficher = Apparence::nomme(new QPushButton(QStringLiteral("Afficher"), this), "Afficher");

    m_modele = new QStringListModel(this);
    Liste_KZT_Contacte = Apparence::nomme(new QListView(this), "Liste_KZT_Contacte");
    Liste_KZT_Contacte->setModel(m_modele);
    Liste_KZT_Contacte->setUniformItemSizes(true);
    Liste_KZT_Contacte->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Liste_KZT_Contacte->setAccessibleName(windowTitle());
    QFont police = Apparence::policeListe();
    police.setPointSizeF(9);
    Liste_KZT_Contacte->setFont(police);

    // The header in the list's font, each title over its column.
    Label2 = Apparence::nomme(new TitresColonnes(MoulinsContactes::enteteListe,
                                                 MoulinsContactes::titresListe, Liste_KZT_Contacte,
                                                 this),
                              "Label2");
    const QFontMetrics mesure(police);
    Liste_KZT_Contacte->setMinimumSize(
        mesure.horizontalAdvance(QString(MoulinsContactes::longueurLigne + 4, QLatin1Char('0'))),
        424);

    Enregistrer =
        Apparence::nomme(new QPushButton(QStringLiteral("Enregistrer"), this), "Enregistrer");
    Imprimer = Apparence::nomme(new QPushButton(QStringLiteral("Imprimer"), this), "Imprimer");
    Command1 = Apparence::nomme(new QPushButton(QStringLiteral("Quitter"), this), "Command1");
    Enregistrer->setEnabled(false);
    Imprimer->setEnabled(false);

    auto* comptes = new QGridLayout;
    comptes->addWidget(Compt_C, 0, 0);
    comptes->addWidget(Label3, 0, 1);
    comptes->addWidget(Bande_D, 0, 2);
    comptes->addWidget(Afficher, 0, 3);
    comptes->addWidget(Compt_V, 1, 0);
    comptes->addWidget(Label4, 1, 1);
    comptes->setColumnStretch(4, 1);

    auto* boutons = new QHBoxLayout;
    boutons->addWidget(Enregistrer);
    boutons->addWidget(Imprimer);
    boutons->addWidget(Command1);

    auto* colonne = new QVBoxLayout(this);
    colonne->addLayout(comptes);
    colonne->addWidget(Label2);
    colonne->addWidget(Liste_KZT_Contacte, 1);
    colonne->addLayout(boutons);

    connect(Afficher, &QPushButton::clicked, this, &Aff_Contacte::Afficher_Click);
    connect(Enregistrer, &QPushButton::clicked, this, &Aff_Contacte::Enregistrer_Click);
    connect(Imprimer, &QPushButton::clicked, this, &Aff_Contacte::Imprimer_Click);
    connect(Command1, &QPushButton::clicked, this, &QWidget::close);

    // A list of the groups only: the group names the saved file.
    Bande_D->addItems(groupesBande());
    Bande_D->setCurrentIndex(0);

    adjustSize();
    Apparence::centreFenetre(this);
}

Aff_Contacte::~Aff_Contacte() = default;

void Aff_Contacte::changeImprimante(Imprimante* imprimante)
{
    m_imprimante = imprimante ? imprimante : m_imprimanteSysteme.get();
}

QString Aff_Contacte::indicatif() const
{
    return m_indicatif();
}

QStringList Aff_Contacte::lignesListe() const
{
    return m_modele->stringList();
}

void Aff_Contacte::Afficher_Click()
{
    Label2->setText(MoulinsContactes::enteteListe);
    m_modele->setStringList({});
    Compt_C->setText(QStringLiteral("0"));
    Compt_V->setText(QStringLiteral("0"));

    MoulinsContactes::Liste liste;
    const Statut lu = MoulinsContactes::construit(
        StationLog(m_services.dossier, indicatif()).chemin(), Bande_D->currentText(), &liste);
    if (!lu) {
        m_services.messages.avise(lu.message);
        return;
    }
    m_modele->setStringList(liste.lignes);
    Imprimer->setEnabled(true);
    Enregistrer->setEnabled(true);
    Compt_C->setText(QString::number(liste.contactes));
    Compt_V->setText(QString::number(liste.confirmes));
}

void Aff_Contacte::Enregistrer_Click()
{
    QString nom;
    const Statut ecrit = MoulinsContactes::enregistre(
        m_services.dossier, indicatif(), Bande_D->currentText(),
        m_services.horloge.localMaintenant().date(), lignesListe(), &nom);
    if (!ecrit) {
        m_services.messages.avise(ecrit.message);
        return;
    }
    m_services.messages.avise(QStringLiteral("Fichier enregistré sous le nom : ") + nom);
}

void Aff_Contacte::Imprimer_Click()
{
    const QStringList lignes = MoulinsContactes::lignesImpression(
        indicatif(), Bande_D->currentText(), m_services.horloge.localMaintenant().date(),
        lignesListe());
    const Imprimante::Resultat r = m_imprimante->imprimeLignes(lignes, this);
    if (!r.statut)
        m_services.messages.avise(r.statut.message);
}
