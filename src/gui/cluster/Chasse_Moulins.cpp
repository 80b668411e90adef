#include "Chasse_Moulins.h"

#include "ColonnesSpots.h"
#include "ModeleSpots.h"
#include "core/log/Groupe.h"
#include "core/log/LogLine.h"
#include "core/platform/BoiteMessage.h"
#include "core/platform/Horloge.h"
#include "core/platform/Sonnerie.h"
#include "core/platform/StockReglages.h"
#include "core/radio/Radio.h"
#include "gui/platform/Apparence.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

const QString kConnecter = QStringLiteral("&Connecter");
const QString kDeconnecter = QStringLiteral("&Déconnecter");

} // namespace

Chasse_Moulins::Chasse_Moulins(const Services& services, Radio& radio, Sonnerie& sonnerie,
                               Liens liens, QWidget* parent)
    : QWidget(parent, Qt::Window), m_services(services), m_sonnerie(sonnerie),
      m_liens(std::move(liens)), m_chasse(services.horloge),
      m_modele(new ModeleSpots(m_chasse, services.horloge, this)), m_client(new ClientCluster(this))
{
    setObjectName(QStringLiteral("Chasse_Moulins"));
    Apparence::clavier(this);
    setWindowTitle(QStringLiteral("Chasse aux moulins"));
    setAccessibleName(windowTitle());

    Hote_Cluster = Apparence::nomme(new QLineEdit(this), "Hote_Cluster");
    Hote_Cluster->setAccessibleName(QStringLiteral("Hôte du cluster"));
    Hote_Cluster->setPlaceholderText(QStringLiteral("par exemple dxc.example.org"));
    Port_Cluster = Apparence::nomme(new QSpinBox(this), "Port_Cluster");
    Port_Cluster->setRange(1, 65535);
    Port_Cluster->setAccessibleName(QStringLiteral("Port du cluster"));
    Indicatif_Cluster = Apparence::nomme(new QLineEdit(this), "Indicatif_Cluster");
    Indicatif_Cluster->setAccessibleName(QStringLiteral("Indicatif donné au cluster"));
    Commandes_Cluster = Apparence::nomme(new QLineEdit(this), "Commandes_Cluster");
    Commandes_Cluster->setAccessibleName(QStringLiteral("Commandes envoyées à la connexion"));
    Commandes_Cluster->setPlaceholderText(QStringLiteral("séparées par « ; »"));
    Connecter = Apparence::nomme(new QPushButton(kConnecter, this), "Connecter");
    Connecter->setAccessibleName(QStringLiteral("Connecter"));
    Etat_Cluster = Apparence::etiquette(this, "Etat_Cluster", QStringLiteral("Non connecté."));
    Etat_Cluster->setWordWrap(true);
    Connecter_Demarrage = Apparence::nomme(
        new QCheckBox(QStringLiteral("Se connecter au &démarrage"), this), "Connecter_Demarrage");
    Connecter_Demarrage->setAccessibleName(QStringLiteral("Se connecter au démarrage"));
    Connecter_Demarrage->setChecked(ReglagesCluster::auDemarrage(m_services.reglages));

    Seulement_A_Contacter =
        Apparence::nomme(new QCheckBox(QStringLiteral("&Seulement les moulins à contacter"), this),
                         "Seulement_A_Contacter");
    Seulement_A_Contacter->setAccessibleName(QStringLiteral("Seulement les moulins à contacter"));
    Alerte_Sonore =
        Apparence::nomme(new QCheckBox(QStringLiteral("&Alerte sonore"), this), "Alerte_Sonore");
    Alerte_Sonore->setAccessibleName(QStringLiteral("Alerte sonore"));
    Alerte_Sonore->setChecked(true);
    Filtre_Bande = Apparence::nomme(new QComboBox(this), "Filtre_Bande");
    Filtre_Bande->setAccessibleName(QStringLiteral("Bande des spots listés"));
    Filtre_Bande->addItem(QStringLiteral("Toutes"));
    Filtre_Bande->addItems(listeBandes());
    Filtre_Mode = Apparence::nomme(new QComboBox(this), "Filtre_Mode");
    Filtre_Mode->setAccessibleName(QStringLiteral("Mode des spots listés"));
    Filtre_Mode->addItem(QStringLiteral("Tous"));

    Liste_Spots = Apparence::nomme(new QTreeView(this), "Liste_Spots");
    Liste_Spots->setAccessibleName(QStringLiteral("Spots du cluster"));
    Liste_Spots->setModel(m_modele);
    Liste_Spots->setRootIsDecorated(false);
    Liste_Spots->setUniformRowHeights(true);
    Liste_Spots->setAllColumnsShowFocus(true);
    Liste_Spots->setSelectionMode(QAbstractItemView::SingleSelection);
    Liste_Spots->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Liste_Spots->installEventFilter(this);
    Liste_Spots->viewport()->installEventFilter(this);
    // A click on a column's title sorts by it; at first the newest first.
    Liste_Spots->header()->setSortIndicator(ModeleSpots::Heure, Qt::DescendingOrder);
    Liste_Spots->setSortingEnabled(true);
    new ColonnesSpots(Liste_Spots);
    const QFontMetrics m = Liste_Spots->fontMetrics();

    Messages_Cluster = Apparence::nomme(new QPlainTextEdit(this), "Messages_Cluster");
    Messages_Cluster->setAccessibleName(QStringLiteral("Messages du cluster"));
    Messages_Cluster->setReadOnly(true);
    Messages_Cluster->setMaximumBlockCount(200);
    // Two lines at least, more as the window grows, beside a list that
    // grows more.
    Messages_Cluster->setMinimumHeight(m.lineSpacing() * 2 + 2 * Messages_Cluster->frameWidth() +
                                       8);

    Frequence_Annonce = Apparence::nomme(new QLineEdit(this), "Frequence_Annonce");
    Frequence_Annonce->setAccessibleName(QStringLiteral("Fréquence annoncée en kHz"));
    Frequence_Annonce->setPlaceholderText(QStringLiteral("14250.0"));
    Annoncer = Apparence::nomme(new QPushButton(QStringLiteral("A&nnoncer"), this), "Annoncer");
    Annoncer->setAccessibleName(QStringLiteral("Annoncer"));

    auto* connexion = new QGroupBox(QStringLiteral("Connexion"), this);
    connexion->setObjectName(QStringLiteral("Connexion"));
    auto* ligne1 = new QHBoxLayout;
    auto* hote = new QLabel(QStringLiteral("&Hôte :"), connexion);
    hote->setBuddy(Hote_Cluster);
    ligne1->addWidget(hote);
    ligne1->addWidget(Hote_Cluster, 2);
    auto* port = new QLabel(QStringLiteral("P&ort :"), connexion);
    port->setBuddy(Port_Cluster);
    ligne1->addWidget(port);
    ligne1->addWidget(Port_Cluster);
    auto* indicatif = new QLabel(QStringLiteral("&Indicatif :"), connexion);
    indicatif->setBuddy(Indicatif_Cluster);
    ligne1->addWidget(indicatif);
    ligne1->addWidget(Indicatif_Cluster, 1);
    auto* ligne2 = new QHBoxLayout;
    auto* commandes = new QLabel(QStringLiteral("Co&mmandes :"), connexion);
    commandes->setBuddy(Commandes_Cluster);
    ligne2->addWidget(commandes);
    ligne2->addWidget(Commandes_Cluster, 1);
    ligne2->addWidget(Connecter);
    auto* cadre = new QVBoxLayout(connexion);
    cadre->addLayout(ligne1);
    cadre->addLayout(ligne2);
    auto* ligne3 = new QHBoxLayout;
    ligne3->addWidget(Etat_Cluster, 1);
    ligne3->addWidget(Connecter_Demarrage);
    cadre->addLayout(ligne3);

    auto* filtres = new QHBoxLayout;
    filtres->addWidget(Seulement_A_Contacter);
    filtres->addSpacing(24);
    filtres->addWidget(Alerte_Sonore);
    filtres->addSpacing(24);
    auto* bande = new QLabel(QStringLiteral("&Bande :"), this);
    bande->setBuddy(Filtre_Bande);
    filtres->addWidget(bande);
    filtres->addWidget(Filtre_Bande);
    auto* mode = new QLabel(QStringLiteral("M&ode :"), this);
    mode->setBuddy(Filtre_Mode);
    filtres->addWidget(mode);
    filtres->addWidget(Filtre_Mode);
    filtres->addStretch(1);

    auto* annonce = new QHBoxLayout;
    auto* frequence = new QLabel(QStringLiteral("&Fréquence du QSO (kHz) :"), this);
    frequence->setBuddy(Frequence_Annonce);
    annonce->addWidget(frequence);
    annonce->addWidget(Frequence_Annonce);
    annonce->addWidget(Annoncer);
    annonce->addStretch(1);

    // Close together: the window shares the screen with the entry fields.
    cadre->setContentsMargins(6, 4, 6, 4);
    cadre->setSpacing(4);
    auto* colonne = new QVBoxLayout(this);
    colonne->setContentsMargins(6, 6, 6, 6);
    colonne->setSpacing(4);
    colonne->addWidget(connexion);
    colonne->addLayout(filtres);
    colonne->addWidget(Liste_Spots, 4);
    colonne->addWidget(Messages_Cluster, 1);
    colonne->addLayout(annonce);

    connect(Connecter, &QPushButton::clicked, this, &Chasse_Moulins::Connecter_Click);
    connect(Annoncer, &QPushButton::clicked, this, &Chasse_Moulins::Annoncer_Click);
    connect(Seulement_A_Contacter, &QCheckBox::toggled, this, [this](bool seulement) {
        m_modele->filtre(seulement);
        actualiseListe();
    });
    connect(Filtre_Bande, &QComboBox::currentIndexChanged, this, [this](int i) {
        m_modele->filtreBande(i > 0 ? Filtre_Bande->itemText(i) : QString());
        actualiseListe();
    });
    connect(Filtre_Mode, &QComboBox::currentIndexChanged, this, [this](int i) {
        m_modele->filtreMode(i > 0 ? Filtre_Mode->itemText(i) : QString());
        actualiseListe();
    });
    // Ticked, the hunt outlives its window: closing it only hides it.
    setAttribute(Qt::WA_DeleteOnClose, !Connecter_Demarrage->isChecked());
    connect(Connecter_Demarrage, &QCheckBox::toggled, this, [this](bool oui) {
        ReglagesCluster::changeAuDemarrage(m_services.reglages, oui);
        setAttribute(Qt::WA_DeleteOnClose, !oui);
    });
    connect(Liste_Spots, &QTreeView::doubleClicked, this, &Chasse_Moulins::prendSpot);
    connect(m_client, &ClientCluster::envoiTermine, this,
            [this](const QString& ligne, const QString& erreur) {
                if (erreur.isEmpty())
                    Messages_Cluster->appendPlainText(QStringLiteral("Annonce envoyée : ") + ligne);
                else
                    m_services.messages.avise(QStringLiteral("Annonce non envoyée : ") + erreur +
                                              QLatin1Char('.'));
            });
    // The ages follow the clock, once a minute: the timer wakes just after
    // each minute of the clock begins, and at no other time.
    auto* ages = new QTimer(this);
    ages->setObjectName(QStringLiteral("Minuterie_Ages"));
    const auto jusquaLaMinute = [this] {
        const QTime t = m_services.horloge.utcMaintenant().time();
        return 60'000 - (t.second() * 1000 + t.msec()) + 50;
    };
    ages->setInterval(jusquaLaMinute());
    m_services.horloge.cadence(ages, [this, ages, jusquaLaMinute] {
        ages->setInterval(jusquaLaMinute());
        const QDateTime maintenant = m_services.horloge.utcMaintenant();
        if (maintenant.time().minute() == m_minuteAges)
            return;
        m_minuteAges = maintenant.time().minute();
        m_modele->vieillit();
    });
    connect(m_client, &ClientCluster::lignesRecues, this, &Chasse_Moulins::recoit);
    connect(m_client, &ClientCluster::statutChange, this, [this](const QString& statut) {
        Etat_Cluster->setText(statut);
        Etat_Cluster->setAccessibleName(statut);
    });
    // The radio's frequency is the QSO's, unless the operator is typing one.
    connect(&radio, &Radio::lu, this, [this](qint64 hz) {
        if (!Frequence_Annonce->hasFocus())
            Frequence_Annonce->setText(Spot::texteKhz(hz));
    });

    // The settings of the last connection; the node is reached at once when
    // they name one.
    const ReglagesCluster r = ReglagesCluster::lit(m_services.reglages, m_liens.indicatifStation());
    Hote_Cluster->setText(r.hote);
    Port_Cluster->setValue(qBound(1, r.port, 65535));
    Indicatif_Cluster->setText(r.indicatif);
    Commandes_Cluster->setText(r.commandes);
    logChange();
    // The operator goes to the spots with the keyboard; without a node yet,
    // to its host.
    if (!r.hote.isEmpty() && r.defaut().isEmpty()) {
        m_client->connecte(r);
        montreConnexion(true);
        Liste_Spots->setFocus(Qt::OtherFocusReason);
    } else {
        Hote_Cluster->setFocus(Qt::OtherFocusReason);
    }

    // Room for the columns of the list, within the screen whatever its
    // frame turns out to be once shown.
    adjustSize();
    const QSize libre = Apparence::placeLibre(this);
    resize(size()
               .expandedTo(QSize(1100, 560))
               .boundedTo(QSize(libre.width() * 95 / 100, libre.height() * 90 / 100))
               .expandedTo(minimumSizeHint()));
    Apparence::centreFenetre(this);
}

QRect Chasse_Moulins::placeEnregistree() const
{
    const QStringList n =
        m_services.reglages.lit(ReglagesCluster::section, ReglagesCluster::cleFenetre, QString())
            .split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (n.size() != 4)
        return {};
    return QRect(n[0].toInt(), n[1].toInt(), n[2].toInt(), n[3].toInt());
}

void Chasse_Moulins::hideEvent(QHideEvent* evenement)
{
    // The place the operator gave the window, for the next time it opens.
    if (!evenement->spontaneous() && !isMinimized())
        m_services.reglages.ecrit(
            ReglagesCluster::section, ReglagesCluster::cleFenetre,
            QStringLiteral("%1 %2 %3 %4").arg(pos().x()).arg(pos().y()).arg(width()).arg(height()));
    QWidget::hideEvent(evenement);
}

Chasse_Moulins::~Chasse_Moulins()
{
    // The connection, the list and its model use the hunt's spots until they
    // go: they go before them.
    delete m_client;
    Liste_Spots->viewport()->removeEventFilter(this);
    Liste_Spots->removeEventFilter(this);
    delete Liste_Spots;
    delete m_modele;
}

ReglagesCluster Chasse_Moulins::reglagesAffiches() const
{
    ReglagesCluster r;
    r.hote = Hote_Cluster->text().trimmed();
    r.port = Port_Cluster->value();
    r.indicatif = Indicatif_Cluster->text().trimmed().toUpper();
    r.commandes = Commandes_Cluster->text();
    return r;
}

void Chasse_Moulins::montreConnexion(bool active)
{
    Connecter->setText(active ? kDeconnecter : kConnecter);
    Connecter->setAccessibleName(QString(Connecter->text()).remove(QLatin1Char('&')));
}

void Chasse_Moulins::Connecter_Click()
{
    if (m_client->estActif()) {
        m_client->deconnecte();
        montreConnexion(false);
        return;
    }
    const ReglagesCluster r = reglagesAffiches();
    const Statut demande = m_client->connecte(r);
    if (!demande) {
        Etat_Cluster->setText(demande.message);
        Etat_Cluster->setAccessibleName(demande.message);
        return;
    }
    // Kept for the next time; a settings file that cannot be written is
    // reported by the store itself.
    r.ecrit(m_services.reglages);
    montreConnexion(true);
}

void Chasse_Moulins::logChange()
{
    m_chasse.changeLog(m_liens.cheminLog());
    actualiseListe();
}

void Chasse_Moulins::actualiseListe()
{
    // The spot at the top of the list, read before the rows change.
    const TableauChasse::Ligne* enTete = m_modele->ligne(Liste_Spots->indexAt(QPoint(0, 0)).row());
    const quint64 numeroEnTete = enTete ? enTete->numero : 0;
    QScrollBar* defilement = Liste_Spots->verticalScrollBar();
    // Where the operator left the list, before it was held for the pointer.
    if (!m_pointeurSurListe || !m_nouveauxRetenus)
        m_suitNouveaux = defilement->value() == defilement->minimum();

    m_modele->actualise();
    // The newest spots come into sight, unless the operator scrolled away or
    // the pointer is over the list: then the spots in sight stay where they
    // are, so that a click, or the second click of a double-click, lands on
    // the spot the operator aimed at. They come once the pointer leaves.
    const int rangeeEnTete = m_modele->rangeeNumero(numeroEnTete);
    if ((m_suitNouveaux && !m_pointeurSurListe) || rangeeEnTete < 0) {
        Liste_Spots->scrollToTop();
        return;
    }
    Liste_Spots->scrollTo(m_modele->index(rangeeEnTete, 0), QAbstractItemView::PositionAtTop);
    m_nouveauxRetenus = m_pointeurSurListe;
}

// The mode filter offers the modes of the spots, the one chosen kept.
void Chasse_Moulins::actualiseModes()
{
    QStringList modes = m_chasse.modesVus();
    const QString choisi = Filtre_Mode->currentIndex() > 0 ? Filtre_Mode->currentText() : QString();
    if (!choisi.isEmpty() && !modes.contains(choisi))
        modes.append(choisi);
    QStringList offerts;
    for (int i = 1; i < Filtre_Mode->count(); ++i)
        offerts.append(Filtre_Mode->itemText(i));
    if (offerts == modes)
        return;
    const QSignalBlocker silence(Filtre_Mode);
    Filtre_Mode->clear();
    Filtre_Mode->addItem(QStringLiteral("Tous"));
    Filtre_Mode->addItems(modes);
    Filtre_Mode->setCurrentIndex(choisi.isEmpty() ? 0 : Filtre_Mode->findText(choisi));
}

void Chasse_Moulins::recoit(const QList<QByteArray>& lignes)
{
    const TableauChasse::Reception r = m_chasse.recoit(lignes);
    for (const QString& m : r.messages)
        Messages_Cluster->appendPlainText(m);
    if (r.spots > 0) {
        actualiseModes();
        actualiseListe();
    }
    if (r.alertes > 0 && Alerte_Sonore->isChecked())
        m_sonnerie.sonne();
    if (r.alertes > 0)
        Q_EMIT moulinAContacter(m_chasse.dernierAContacter());
}

void Chasse_Moulins::prendSpot(const QModelIndex& index)
{
    const TableauChasse::Ligne* l = m_modele->ligne(index.row());
    if (!l)
        return;
    if (l->spot.reference.isEmpty()) {
        m_services.messages.avise(
            QStringLiteral("Le spot de %1 ne donne pas de référence de moulin.")
                .arg(l->spot.indicatif));
        return;
    }
    const Spot spot = l->spot;
    Q_EMIT spotChoisi(spot);
}

void Chasse_Moulins::spotPris(const Spot& spot)
{
    Frequence_Annonce->setText(spot.texteKhz());
}

void Chasse_Moulins::Annoncer_Click()
{
    const auto [indicatif, reference] = m_liens.qsoEnCours();
    const TableauChasse::Annonce a =
        TableauChasse::annonce(Frequence_Annonce->text(), indicatif, reference);
    BoiteMessage& messages = m_services.messages;
    if (!a.erreur.isEmpty()) {
        messages.avise(a.erreur);
        return;
    }
    if (!m_client->estConnecte()) {
        messages.avise(QStringLiteral("Le cluster n'est pas connecté : l'annonce ne peut pas "
                                      "être envoyée."));
        return;
    }
    if (!messages.demandeConfirmation(QStringLiteral("Envoyer cette annonce au cluster ?") +
                                      QStringLiteral("\r\n\r\n") + a.ligne))
        return;
    // Said once the line left, or why it did not (envoiTermine).
    const Statut envoi = m_client->envoie(a.ligne);
    if (!envoi)
        messages.avise(QStringLiteral("Annonce non envoyée : ") + envoi.message);
}

bool Chasse_Moulins::eventFilter(QObject* objet, QEvent* evenement)
{
    if (objet == Liste_Spots->viewport()) {
        switch (evenement->type()) {
        case QEvent::Enter:
        case QEvent::MouseMove:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            m_pointeurSurListe = true;
            break;
        case QEvent::Leave:
            m_pointeurSurListe = false;
            if (m_nouveauxRetenus && m_suitNouveaux)
                Liste_Spots->scrollToTop();
            m_nouveauxRetenus = false;
            break;
        default:
            break;
        }
    }
    if (objet == Liste_Spots && evenement->type() == QEvent::KeyPress &&
        Apparence::toucheEntree(static_cast<QKeyEvent*>(evenement))) {
        prendSpot(Liste_Spots->currentIndex());
        return true;
    }
    return QWidget::eventFilter(objet, evenement);
}
