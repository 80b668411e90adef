// What the station rules and the entry rules ask of the main window, through
// their signals, and what the main window tells them.

#include "Main.h"
#include "Station.h"
#include "gui/entry/EntryArea.h"
#include "gui/entry/EntryBinding.h"
#include "gui/entry/LogList.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>

void Main::relieSaisie()
{
    EntryModel& modele = m_liaison->modele();
    connect(&modele, &EntryModel::listeARecharger, this, &Main::rechargeListe);
    connect(&modele, &EntryModel::derniereASelectionner, m_liste, &LogList::Selectionne_Derniere);
    // Every change of the check mark, from the menu or from the settings.
    connect(Mnu_Date_Auto, &QAction::toggled, &modele, &EntryModel::changeDateAuto);
    modele.changeDateAuto(Mnu_Date_Auto->isChecked());
    modele.changeIndicatifCourant(m_indicatif);
}

Station* Main::creeStation()
{
    auto* station = new Station(m_services);
    station->setAttribute(Qt::WA_DeleteOnClose);
    StationModel& modele = station->modele();
    connect(&modele, &StationModel::indicatifCourantChange, this, &Main::changeIndicatifCourant);
    connect(&modele, &StationModel::stationAffichee, this, &Main::afficheStation);
    connect(&modele, &StationModel::bandeModeChoisis, this, &Main::choisitBandeMode);
    connect(&modele, &StationModel::logARecharger, this,
            [this](bool* charge) { *charge = rechargeLog(); });
    modele.Charge();
    return station;
}

void Main::changeIndicatifCourant(const QString& indicatif)
{
    m_indicatif = indicatif;
    m_liaison->modele().changeIndicatifCourant(indicatif);
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
    m_liaison->agit([this] { m_liaison->modele().Change_Station(); });
    return true;
}

void Main::rechargeListe()
{
    if (Charge_Log())
        m_liste->Selectionne_Derniere();
}
