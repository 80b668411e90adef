// The windmill hunt of the menu "Trafic": its window, a spot taken as a new
// QSO, and the spots marked again whenever the log changes.

#include "Main.h"
#include "core/app/Reglages.h"
#include "core/cluster/Spot.h"
#include "core/log/StationLog.h"
#include "core/platform/BoiteMessage.h"
#include "core/radio/Radio.h"
#include "core/radio/SuiviRadio.h"
#include "gui/cluster/Chasse_Moulins.h"
#include "gui/cluster/SonnerieSysteme.h"
#include "gui/entry/LiaisonSaisie.h"
#include "gui/entry/ZoneSaisie.h"
#include "gui/platform/Apparence.h"

#include <QLineEdit>

Sonnerie& Main::sonnerie()
{
    if (m_sonnerie)
        return *m_sonnerie;
    if (!m_sonnerieSysteme)
        m_sonnerieSysteme = std::make_unique<SonnerieSysteme>();
    return *m_sonnerieSysteme;
}

void Main::Mnu_Chasse_Click()
{
    Apparence::ouvreUneFois<Chasse_Moulins>(this, [this] {
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
        return fenetre;
    });
}

void Main::prendSpot(const Spot& spot)
{
    ModeleSaisie& modele = m_liaison->modele();
    const int bande = SuiviRadio::indexBande(spot.hz);
    const QString refus = modele.refusSpot(bande);
    if (!refus.isEmpty()) {
        m_services.messages.avise(refus);
        return;
    }
    // The radio goes to the spot first: its next reading then gives the
    // entry the band chosen here.
    if (m_radio->estConnectee())
        m_radio->accorde(spot.hz, spot.mode);
    m_liaison->agit([&] {
        modele.prepareDepuisSpot(spot.indicatif, bande, spot.departement(), spot.reference);
    });
    Apparence::montreFenetre(this);
}

void Main::chasseLogChange()
{
    if (auto* fenetre = Apparence::fenetreOuverte<Chasse_Moulins>(this))
        fenetre->logChange();
}

void Main::fermeChasse()
{
    if (auto* fenetre = Apparence::fenetreOuverte<Chasse_Moulins>(this))
        fenetre->close();
}
