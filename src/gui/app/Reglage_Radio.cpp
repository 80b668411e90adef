#include "Reglage_Radio.h"

#include "core/platform/StockReglages.h"
#include "gui/platform/Apparence.h"

#include <QComboBox>
#include <QCompleter>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

const QString kAucune = QStringLiteral("Aucune radio");
const QString kRigctld = QStringLiteral("rigctld (réseau)");
const QString kAdresseRigctld = QStringLiteral("localhost:4532");
const QString kHamlib = QStringLiteral("hamlib");
const QString kRigctldLance = QStringLiteral("hamlib (rigctld lancé par RQN_KZT)");

QString nomModele(const Radio::Modele& m)
{
    return QStringLiteral("%1 %2 (%3)").arg(m.fabricant, m.nom).arg(m.numero);
}

} // namespace

Reglage_Radio::Reglage_Radio(StockReglages& reglages, Radio& radio, QWidget* parent)
    : QWidget(parent, Qt::Window), m_reglages(reglages), m_radio(radio)
{
    setObjectName(QStringLiteral("Reglage_Radio"));
    Apparence::clavier(this);
    setWindowTitle(QStringLiteral("Réglage de la radio"));
    setAccessibleName(windowTitle());

    Liaison_Radio = Apparence::nomme(new QComboBox(this), "Liaison_Radio");
    Apparence::nommeListe(Liaison_Radio, QStringLiteral("Liaison avec hamlib"));
    Liaison_Radio->addItem(kHamlib, int(ReglagesRadio::Liaison::Hamlib));
    Liaison_Radio->addItem(kRigctldLance, int(ReglagesRadio::Liaison::RigctldLance));
    Dossier_Hamlib = Apparence::nomme(new QLineEdit(this), "Dossier_Hamlib");
    Dossier_Hamlib->setAccessibleName(QStringLiteral("Dossier de hamlib"));
    Dossier_Hamlib->setPlaceholderText(QStringLiteral("le dossier qui contient rigctld"));

    // The list is searched by typing any part of a maker's or model's name.
    Modele_Radio = Apparence::nomme(new QComboBox(this), "Modele_Radio");
    Modele_Radio->setEditable(true);
    Modele_Radio->setInsertPolicy(QComboBox::NoInsert);
    Modele_Radio->completer()->setFilterMode(Qt::MatchContains);
    Modele_Radio->completer()->setCompletionMode(QCompleter::PopupCompletion);
    Modele_Radio->setMinimumContentsLength(32);
    Apparence::nommeListe(Modele_Radio, QStringLiteral("Modèle de la radio"));
    Modele_Radio->addItem(kAucune, 0);
    Modele_Radio->addItem(kRigctld, choixRigctld);

    Port_Radio = Apparence::nomme(new QLineEdit(this), "Port_Radio");
    Port_Radio->setAccessibleName(QStringLiteral("Port"));
    // The ports the system knows of are proposed; another may be typed.
    const QStringList ports = ReglagesRadio::portsSerie();
    auto* proposes = new QCompleter(ports, Port_Radio);
    proposes->setFilterMode(Qt::MatchContains);
    Port_Radio->setCompleter(proposes);
    if (!ports.isEmpty())
        Port_Radio->setToolTip(QStringLiteral("Ports série : ") + ports.join(QStringLiteral(", ")));

    Vitesse_Radio = Apparence::nomme(new QComboBox(this), "Vitesse_Radio");
    Apparence::nommeListe(Vitesse_Radio, QStringLiteral("Vitesse"));
    Vitesse_Radio->addItem(QStringLiteral("Celle du modèle"), 0);
    for (int v : {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200})
        Vitesse_Radio->addItem(QStringLiteral("%1 bauds").arg(v), v);

    Intervalle_Radio = Apparence::nomme(new QSpinBox(this), "Intervalle_Radio");
    Intervalle_Radio->setRange(ReglagesRadio::intervalleMin, ReglagesRadio::intervalleMax);
    Intervalle_Radio->setSingleStep(100);
    Intervalle_Radio->setSuffix(QStringLiteral(" ms"));
    Intervalle_Radio->setAccessibleName(QStringLiteral("Intervalle de lecture"));

    Tester = Apparence::nomme(new QPushButton(QStringLiteral("&Tester"), this), "Tester");
    Enregistrer =
        Apparence::nomme(new QPushButton(QStringLiteral("&Enregistrer"), this), "Enregistrer");
    Resultat_Radio = Apparence::etiquette(this, "Resultat_Radio", QString());
    Resultat_Radio->setWordWrap(true);
    Resultat_Radio->setMinimumHeight(Resultat_Radio->fontMetrics().height() * 2);

    auto* formulaire = new QFormLayout;
    formulaire->addRow(QStringLiteral("&Liaison :"), Liaison_Radio);
    formulaire->addRow(QStringLiteral("&Dossier de hamlib :"), Dossier_Hamlib);
    formulaire->addRow(QStringLiteral("&Modèle :"), Modele_Radio);
    formulaire->addRow(QStringLiteral("&Port :"), Port_Radio);
    formulaire->addRow(QStringLiteral("&Vitesse :"), Vitesse_Radio);
    formulaire->addRow(QStringLiteral("&Intervalle de lecture :"), Intervalle_Radio);
    auto* boutons = new QHBoxLayout;
    boutons->addWidget(Tester);
    boutons->addStretch(1);
    boutons->addWidget(Enregistrer);
    auto* colonne = new QVBoxLayout(this);
    colonne->addLayout(formulaire);
    colonne->addWidget(Resultat_Radio);
    colonne->addLayout(boutons);

    const ReglagesRadio r = ReglagesRadio::lit(m_reglages);
    m_portHamlib = r.port;
    m_adresseRigctld = r.rigctld.isEmpty() ? kAdresseRigctld : r.rigctld;
    m_rigctldAffiche = r.liaison == ReglagesRadio::Liaison::Rigctld;
    Port_Radio->setText(m_rigctldAffiche ? m_adresseRigctld : m_portHamlib);
    const int vitesse = Vitesse_Radio->findData(r.vitesse);
    if (vitesse >= 0) {
        Vitesse_Radio->setCurrentIndex(vitesse);
    } else {
        Vitesse_Radio->addItem(QStringLiteral("%1 bauds").arg(r.vitesse), r.vitesse);
        Vitesse_Radio->setCurrentIndex(Vitesse_Radio->count() - 1);
    }
    Intervalle_Radio->setValue(r.intervalle);
    Liaison_Radio->setCurrentIndex(r.liaison == ReglagesRadio::Liaison::RigctldLance ? 1 : 0);
    Dossier_Hamlib->setText(QDir::toNativeSeparators(r.dossierHamlib));
    if (m_rigctldAffiche) {
        Modele_Radio->setCurrentIndex(1);
    } else if (r.avecRadio()) {
        // Shown by its number until hamlib's list arrives.
        Modele_Radio->addItem(QStringLiteral("Modèle %1").arg(r.modele), r.modele);
        Modele_Radio->setCurrentIndex(2);
    }
    modeleChoisi();

    connect(&m_radio, &Radio::modelesRecus, this, &Reglage_Radio::remplitModeles);
    connect(&m_radio, &Radio::testTermine, this, [this](bool reussi, const QString& message) {
        Tester->setEnabled(true);
        Resultat_Radio->setText(message);
        Resultat_Radio->setAccessibleName(message);
        Q_UNUSED(reussi);
    });
    // Picked in the list or in the search's proposals.
    connect(Modele_Radio, &QComboBox::currentIndexChanged, this, &Reglage_Radio::modeleChoisi);
    connect(Tester, &QPushButton::clicked, this, &Reglage_Radio::Tester_Click);
    connect(Enregistrer, &QPushButton::clicked, this, &Reglage_Radio::Enregistrer_Click);
    connect(Liaison_Radio, &QComboBox::currentIndexChanged, this, &Reglage_Radio::demandeModeles);
    connect(Dossier_Hamlib, &QLineEdit::editingFinished, this, [this] {
        if (rigctldLance())
            demandeModeles();
    });
    demandeModeles();
    adjustSize();
    Apparence::centreFenetre(this);
}

bool Reglage_Radio::rigctldLance() const
{
    return Liaison_Radio->currentData().toInt() == int(ReglagesRadio::Liaison::RigctldLance);
}

void Reglage_Radio::demandeModeles()
{
    ReglagesRadio r;
    if (rigctldLance()) {
        r.liaison = ReglagesRadio::Liaison::RigctldLance;
        r.dossierHamlib = QDir::fromNativeSeparators(Dossier_Hamlib->text().trimmed());
    }
    modeleChoisi();
    m_radio.demandeModeles(r);
}

void Reglage_Radio::remplitModeles(const QList<Radio::Modele>& modeles, const QString& manque)
{
    const int choisi = Modele_Radio->currentData().toInt();
    m_modeles = modeles;
    const QSignalBlocker bloque(Modele_Radio);
    Modele_Radio->clear();
    Modele_Radio->addItem(kAucune, 0);
    Modele_Radio->addItem(kRigctld, choixRigctld);
    for (const Radio::Modele& m : modeles)
        Modele_Radio->addItem(nomModele(m), m.numero);
    int index = Modele_Radio->findData(choisi);
    // A saved model that the list lacks (hamlib missing) stays as it is.
    if (index < 0 && choisi > 0) {
        Modele_Radio->addItem(QStringLiteral("Modèle %1").arg(choisi), choisi);
        index = Modele_Radio->count() - 1;
    }
    Modele_Radio->setCurrentIndex(index >= 0 ? index : 0);
    modeleChoisi();
    if (!manque.isEmpty()) {
        const QString texte = rigctldLance()
                                  ? QStringLiteral("Radio : %1.").arg(manque)
                                  : QStringLiteral("Radio : %1 ; seul « %2 » peut être choisi.")
                                        .arg(manque, kRigctld);
        Resultat_Radio->setText(texte);
        Resultat_Radio->setAccessibleName(texte);
    }
}

// The port's hint follows the kind of port the model uses.
void Reglage_Radio::modeleChoisi()
{
    const int numero = Modele_Radio->currentData().toInt();
    // The port of the way left is kept, the one of the way chosen shown.
    const bool rigctld = numero == choixRigctld;
    if (rigctld != m_rigctldAffiche) {
        (m_rigctldAffiche ? m_adresseRigctld : m_portHamlib) = Port_Radio->text().trimmed();
        Port_Radio->setText(rigctld ? m_adresseRigctld : m_portHamlib);
        m_rigctldAffiche = rigctld;
    }
    auto type = rigctld ? ReglagesRadio::TypePort::Reseau : ReglagesRadio::TypePort::Serie;
    for (const Radio::Modele& m : std::as_const(m_modeles)) {
        if (m.numero == numero)
            type = m.port;
    }
    Port_Radio->setPlaceholderText(type == ReglagesRadio::TypePort::Reseau
                                       ? QStringLiteral("hôte:port, par exemple localhost:4532")
                                   : type == ReglagesRadio::TypePort::Aucun
                                       ? QStringLiteral("aucun port pour ce modèle")
                                       : QStringLiteral("par exemple ") +
                                             ReglagesRadio::exemplePortSerie());
    const bool serie = type == ReglagesRadio::TypePort::Serie;
    Vitesse_Radio->setEnabled(serie && numero != ReglagesRadio::aucuneRadio);
    Port_Radio->setEnabled(numero != ReglagesRadio::aucuneRadio);
    Liaison_Radio->setEnabled(!rigctld);
    Dossier_Hamlib->setEnabled(!rigctld && rigctldLance());
}

ReglagesRadio Reglage_Radio::reglagesAffiches() const
{
    ReglagesRadio r;
    // A model typed and not picked: the one whose name is typed, if any.
    int index = Modele_Radio->findText(Modele_Radio->currentText(), Qt::MatchFixedString);
    if (index < 0)
        index = Modele_Radio->currentIndex();
    r.modele = index >= 0 ? Modele_Radio->itemData(index).toInt() : 0;
    r.port = m_portHamlib;
    r.rigctld = m_adresseRigctld;
    (m_rigctldAffiche ? r.rigctld : r.port) = Port_Radio->text().trimmed();
    if (r.modele == choixRigctld) {
        // hamlib's model saved stays, for the day hamlib is chosen again.
        r.liaison = ReglagesRadio::Liaison::Rigctld;
        r.modele = qMax(0, ReglagesRadio::lit(m_reglages).modele);
    } else if (rigctldLance())
        r.liaison = ReglagesRadio::Liaison::RigctldLance;
    r.dossierHamlib = QDir::fromNativeSeparators(Dossier_Hamlib->text().trimmed());
    r.vitesse = Vitesse_Radio->currentData().toInt();
    r.intervalle = Intervalle_Radio->value();
    return r;
}

void Reglage_Radio::Tester_Click()
{
    Tester->setEnabled(false);
    Resultat_Radio->setText(QStringLiteral("Test en cours…"));
    m_radio.teste(reglagesAffiches());
}

void Reglage_Radio::Enregistrer_Click()
{
    const ReglagesRadio r = reglagesAffiches();
    const Statut ecrit = r.ecrit(m_reglages);
    if (!ecrit) {
        Resultat_Radio->setText(ecrit.message);
        return;
    }
    m_radio.configure(r);
    Resultat_Radio->setText(r.avecRadio()
                                ? QStringLiteral("Réglages enregistrés : la radio est lue avec "
                                                 "ces réglages.")
                                : QStringLiteral("Réglages enregistrés : aucune radio."));
}
