// The ADIF import of the menu "Fichier".

#include "Main.h"
#include "core/app/Reglages.h"
#include "core/exchange/Importation.h"
#include "core/log/StationLog.h"
#include "core/platform/Attente.h"
#include "core/platform/BoiteMessage.h"
#include "core/platform/ChoixFichier.h"
#include "core/platform/Horloge.h"
#include "gui/entry/LiaisonSaisie.h"
#include "gui/platform/DialogueFichier.h"
#include "gui/platform/DialogueProgression.h"

#include <QFileInfo>

void Main::changeChoixFichier(ChoixFichier* choix)
{
    m_choixFichier = choix ? choix : m_dialogueFichier.get();
}

void Main::changeAttente(Attente* attente)
{
    m_attente = attente;
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
    if (chemin.isEmpty() || !m_liaison->modele().abandonAccepte())
        return;
    Importation::Bilan bilan;
    const QString dossier = m_services.dossier;
    const QString indicatif = m_indicatif;
    const Horloge& horloge = m_services.horloge;
    DialogueProgression fenetre(this);
    Attente& attente = m_attente ? *m_attente : fenetre;
    attente.execute(QStringLiteral("Importation du fichier « %1 » dans le log « %2 »…")
                        .arg(QFileInfo(chemin).fileName(), StationLog::nomFichier(indicatif)),
                    [&](Progression& progression) {
                        bilan = Importation::importeFichier(dossier, indicatif, chemin, horloge,
                                                            &progression);
                    });
    if (bilan.importes > 0)
        rechargeListe();
    // The list shows the log as it now is: the entry starts a new QSO.
    if (bilan.statut && !bilan.annule)
        m_liaison->agit([this] { m_liaison->modele().logRemplace(); });
    messages.avise(bilan.resume());
}
