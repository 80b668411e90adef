// What the station window and the entry area ask of the main window.

#include "Main.h"
#include "gui/entry/EntryBinding.h"
#include "gui/entry/LogList.h"

#include <QAction>

bool Main::Recharge_Log()
{
    if (!Charge_Log())
        return false;
    m_liaison->agit([this] { m_liaison->modele().Change_Station(); });
    return true;
}

bool Main::Date_Auto() const
{
    return Mnu_Date_Auto->isChecked();
}

void Main::Recharge_Liste()
{
    if (Charge_Log())
        m_liste->Selectionne_Derniere();
}

void Main::Selectionne_Derniere()
{
    m_liste->Selectionne_Derniere();
}
