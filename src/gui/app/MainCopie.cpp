// The second copy of the logs, on another disk: its window, from the menu
// "Station", its failures in the status line, and the copy of the end.

#include "Main.h"

#include "Copie_Securite.h"
#include "core/app/CopieEnFond.h"
#include "core/platform/StockReglages.h"
#include "gui/platform/Apparence.h"

#include <QStatusBar>

void Main::construitCopie()
{
    m_borneCopie = CopieEnFond::borneFin;
    m_copie = new CopieEnFond(m_services.dossier, m_services.reglages, m_services.horloge, this);
    connect(m_copie, &CopieEnFond::terminee, this, [this](bool reussie, const QString& message) {
        if (reussie) {
            statusBar()->clearMessage();
            return;
        }
        statusBar()->show();
        statusBar()->showMessage(message);
    });
}

void Main::Mnu_Copie_Click()
{
    Apparence::ouvreUneFois<Copie_Securite>(
        this, [this] { return new Copie_Securite(*m_copie, m_choixFichier, this); });
}

// Once, whichever way the window closes; a missing folder or a full disk
// fails at once, and a copy that blocks is abandoned past the bound.
void Main::copieDeFin()
{
    if (m_copieDeFinFaite)
        return;
    m_copieDeFinFaite = true;
    const Statut fait = m_copie->copieDeFin(m_borneCopie);
    if (!fait)
        statusBar()->showMessage(fait.message);
}
