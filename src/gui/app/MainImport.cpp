// The ADIF import of the menu "Fichier".

#include "Main.h"
#include "core/app/Reglages.h"
#include "core/exchange/Importation.h"
#include "core/log/StationLog.h"
#include "core/platform/BoiteMessage.h"
#include "core/platform/ChoixFichier.h"
#include "gui/platform/DialogueFichier.h"

void Main::changeChoixFichier(ChoixFichier* choix)
{
    m_choixFichier = choix ? choix : m_dialogueFichier.get();
}

void Main::Mnu_Import_ADIF_Click()
{
    BoiteMessage& messages = m_services.messages;
    if (m_indicatif == Reglages::indicatifAucun) {
        messages.avise(QStringLiteral("Choisissez d'abord l'indicatif de la station (menu "
                                      "« Station », « Nouvel Indicatif »)."));
        return;
    }
    const QString chemin =
        m_choixFichier->fichierAOuvrir(QStringLiteral("Importer un log ADIF dans le log « %1 »")
                                           .arg(StationLog::nomFichier(m_indicatif)),
                                       m_services.dossier, Importation::Filtre);
    if (chemin.isEmpty())
        return;
    const Importation::Bilan bilan =
        Importation::importeFichier(m_services.dossier, m_indicatif, chemin, m_services.horloge);
    if (bilan.importes > 0)
        rechargeListe();
    messages.avise(bilan.resume());
}
