// What the station rules and the entry rules ask of the main window, through
// their signals, and what the main window tells them.

#include "Main.h"
#include "Station.h"
#include "gui/entry/LiaisonSaisie.h"
#include "gui/entry/ListeLog.h"
#include "gui/entry/ZoneSaisie.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>

void Main::relieSaisie()
{
    ModeleSaisie& modele = m_liaison->modele();
    connect(&modele, &ModeleSaisie::listeARecharger, this, &Main::rechargeListe);
    connect(&modele, &ModeleSaisie::derniereASelectionner, m_liste, &ListeLog::selectionneDerniere);
    // Every change of the check mark, from the menu or from the settings.
    connect(Mnu_Date_Auto, &QAction::toggled, &modele, &ModeleSaisie::changeDateAuto);
    modele.changeDateAuto(Mnu_Date_Auto->isChecked());
    modele.changeIndicatifCourant(m_indicatif);
}

Station* Main::creeStation()
{
    auto* station = new Station(m_services);
    station->setAttribute(Qt::WA_DeleteOnClose);
    ModeleStation& modele = station->modele();
    // The new station's log replaces the list: a QSO being typed is not
    // dropped without a word.
    connect(&modele, &ModeleStation::changementAAccepter, this,
            [this](bool* accepte) { *accepte = m_liaison->modele().abandonAccepte(); });
    connect(&modele, &ModeleStation::indicatifCourantChange, this, &Main::changeIndicatifCourant);
    connect(&modele, &ModeleStation::stationAffichee, this, &Main::afficheStation);
    connect(&modele, &ModeleStation::bandeModeChoisis, this, &Main::choisitBandeMode);
    connect(&modele, &ModeleStation::logARecharger, this,
            [this](bool* charge) { *charge = rechargeLog(); });
    modele.chargeStation();
    return station;
}

void Main::changeIndicatifCourant(const QString& indicatif)
{
    m_indicatif = indicatif;
    m_liaison->modele().changeIndicatifCourant(indicatif);
    // The new station remembers its own band and mode: the radio's are
    // given again at its next reading.
    m_suiviRadio.oublie();
}

void Main::afficheStation(const QString& texte)
{
    I_Station->setText(texte);
}

void Main::choisitBandeMode(int bande, int mode)
{
    QComboBox* bandes = m_saisie->Bande_A;
    QComboBox* modes = m_saisie->Mode_A;
    bandes->setCurrentIndex(bande >= 0 && bande < bandes->count() ? bande : -1);
    modes->setCurrentIndex(mode >= 0 && mode < modes->count() ? mode : -1);
}

bool Main::rechargeLog()
{
    if (!Charge_Log())
        return false;
    m_liaison->agit([this] { m_liaison->modele().logRemplace(); });
    return true;
}

void Main::rechargeListe()
{
    if (Charge_Log())
        m_liste->selectionneDerniere();
}
