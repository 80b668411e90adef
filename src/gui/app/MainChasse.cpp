// The windmill hunt of the menu "Trafic": its window, a spot taken as a new
// QSO, and the spots marked again whenever the log changes.

#include "Main.h"
#include "core/app/Reglages.h"
#include "core/cluster/ReglagesCluster.h"
#include "core/cluster/Spot.h"
#include "core/log/LogLine.h"
#include "core/log/StationLog.h"
#include "core/platform/BoiteMessage.h"
#include "core/radio/Radio.h"
#include "core/radio/SuiviRadio.h"
#include "gui/cluster/Chasse_Moulins.h"
#include "gui/cluster/SonnerieSysteme.h"
#include "gui/entry/LiaisonSaisie.h"
#include "gui/entry/ZoneSaisie.h"
#include "gui/platform/Apparence.h"

#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QStatusBar>

Sonnerie& Main::sonnerie()
{
    if (m_sonnerie)
        return *m_sonnerie;
    if (!m_sonnerieSysteme)
        m_sonnerieSysteme = std::make_unique<SonnerieSysteme>();
    return *m_sonnerieSysteme;
}

Chasse_Moulins* Main::creeChasse()
{
    Chasse_Moulins::Liens liens;
    liens.indicatifStation = [this] {
        return m_indicatif == Reglages::indicatifAucun ? QString() : m_indicatif;
    };
    liens.cheminLog = [this] { return StationLog(m_services.dossier, m_indicatif).chemin(); };
    liens.qsoEnCours = [this] {
        return std::pair{m_saisie->Ind_A->text(), m_saisie->Ref_A->text()};
    };
    auto* fenetre = new Chasse_Moulins(m_services, *m_radio, sonnerie(), liens, this);
    connect(fenetre, &Chasse_Moulins::spotChoisi, this, &Main::prendSpot);
    connect(fenetre, &Chasse_Moulins::moulinAContacter, this, [this](const QString& moulin) {
        if (!Statut_Chasse) {
            Statut_Chasse = Apparence::etiquette(this, "Statut_Chasse", QString());
            Statut_Chasse->setAccessibleName(QStringLiteral("Chasse aux moulins"));
            statusBar()->addPermanentWidget(Statut_Chasse);
        }
        Statut_Chasse->setText(QStringLiteral("Moulin à contacter : ") + moulin);
        statusBar()->show();
    });
    return fenetre;
}

// One hunt at a time, with or without its window. Its window closed, the
// hunt ends, unless "Se connecter au démarrage" is ticked: then closing only
// hides it, so that the link and the alert go on (the window sees to it).
void Main::Mnu_Chasse_Click()
{
    if (!m_chasse)
        m_chasse = creeChasse();
    // Shown for the first time: where the operator left it last, or else
    // beside the entry fields and the clock, so that the spots and the QSO
    // being typed are both in sight.
    if (!m_chasse->isVisible() && !m_chasse->property("place").toBool()) {
        if (!Apparence::reprendPlace(m_chasse, m_chasse->placeEnregistree())) {
            // The fields where the window shows them, even before it is shown.
            if (layout())
                layout()->activate();
            const QRect cadre = frameGeometry();
            const int basSaisie = m_saisie->mapToGlobal(QPoint(0, m_saisie->height())).y();
            Apparence::placeHorsDe(m_chasse,
                                   QRect(cadre.topLeft(), QPoint(cadre.right(), basSaisie)));
        }
        m_chasse->setProperty("place", true);
    }
    Apparence::montreFenetre(m_chasse);
}

void Main::demarreChasse()
{
    // "Se connecter au démarrage": the hunt runs from the start, its window
    // closed.
    if (!ReglagesCluster::auDemarrage(m_services.reglages) || m_chasse)
        return;
    m_chasse = creeChasse();
}

void Main::prendSpot(const Spot& spot)
{
    ModeleSaisie& modele = m_liaison->modele();
    const int bande = SuiviRadio::indexBande(spot.hz);
    QString refus;
    m_liaison->agit([&] { refus = modele.refusSpot(bande); });
    if (!refus.isEmpty()) {
        m_services.messages.avise(refus);
        return;
    }
    // A QSO being typed is given up only when the operator says so.
    if (!modele.abandonAccepte())
        return;
    // The radio goes to the spot first: its next reading then gives the
    // entry the band and mode chosen here.
    if (m_radio->estConnectee())
        m_radio->accorde(spot.hz, spot.modeRadio);
    m_liaison->agit([&] {
        modele.prepareDepuisSpot(spot.indicatif, bande, spot.departement(), spot.reference,
                                 spot.mode);
    });
    auto* chasse = qobject_cast<Chasse_Moulins*>(sender());
    if (chasse)
        chasse->spotPris(spot);
    // The keys go to the entry fields; the spots stay in sight beside them,
    // the hunt's window above the log list it was placed over.
    Apparence::montreFenetre(this);
    if (chasse && chasse->isVisible())
        chasse->raise();
}

void Main::chasseLogChange()
{
    if (m_chasse)
        m_chasse->logChange();
}

// The main window closes: the hunt ends with it, its link too, whatever the
// box says.
void Main::fermeChasse()
{
    if (!m_chasse)
        return;
    m_chasse->hide();
    m_chasse->deleteLater();
    m_chasse = nullptr;
}
