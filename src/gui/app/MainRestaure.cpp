// The restore of a backup of the log, from the menu "Station".

#include "Main.h"

#include "core/app/Reglages.h"
#include "core/log/Sauvegardes.h"
#include "core/log/StationLog.h"
#include "core/platform/BoiteMessage.h"
#include "core/platform/FichierTexte.h"
#include "gui/entry/LiaisonSaisie.h"
#include "gui/entry/ListeLog.h"

#include <QInputDialog>

using FichierTexte::finLigne;

void Main::Mnu_Restaure_Click()
{
    BoiteMessage& messages = m_services.messages;
    if (m_indicatif == Reglages::indicatifAucun) {
        messages.avise(QStringLiteral("Choisissez d'abord l'indicatif de la station (menu "
                                      "« Station », « Nouvel Indicatif »)."));
        return;
    }
    const QString log = StationLog::nomFichier(m_indicatif);
    Sauvegardes sauvegardes(m_services.dossier, m_services.horloge);
    const QStringList noms = sauvegardes.liste(m_indicatif);
    if (noms.isEmpty()) {
        messages.avise(
            QStringLiteral("Le dossier « %1 » ne contient aucune sauvegarde du log « %2 ».")
                .arg(Sauvegardes::nomDossier, log));
        return;
    }

    // Each copy by its day, time and number of QSOs, the most recent first.
    QStringList descriptions;
    for (const QString& n : noms)
        descriptions << sauvegardes.description(n);
    QInputDialog choix(this);
    choix.setObjectName(QStringLiteral("Choix_Sauvegarde"));
    choix.setWindowTitle(QStringLiteral("Restaurer une sauvegarde du log"));
    choix.setLabelText(QStringLiteral("Sauvegarde à remettre à la place du log « %1 » :").arg(log));
    choix.setComboBoxItems(descriptions);
    choix.setComboBoxEditable(false);
    choix.setOkButtonText(QStringLiteral("Restaurer"));
    choix.setCancelButtonText(QStringLiteral("Annuler"));
    if (choix.exec() != QDialog::Accepted)
        return;
    const qsizetype choisie = descriptions.indexOf(choix.textValue());
    if (choisie < 0)
        return;
    const QString nom = noms.at(choisie);
    const QString question =
        QStringLiteral("Remplacer le log « %1 » par la sauvegarde « %2 » ?").arg(log, nom) +
        finLigne + finLigne +
        QStringLiteral("Le log actuel est d'abord copié lui aussi dans le dossier « %1 ».")
            .arg(Sauvegardes::nomDossier);
    if (!m_liaison->modele().abandonAccepte() || !messages.demandeConfirmation(question))
        return;
    QString copieAvant;
    const Statut fait = sauvegardes.restaureSauvegarde(m_indicatif, nom, &copieAvant);
    if (!fait) {
        messages.avise(fait.message);
        return;
    }
    if (!Charge_Log())
        return;
    m_liste->selectionneDerniere();
    // A QSO being edited belonged to the log that is gone.
    m_liaison->agit([this] { m_liaison->modele().logRemplace(); });
    QString fin =
        QStringLiteral("Le log « %1 » a été remplacé par la sauvegarde « %2 ».").arg(log, nom);
    if (!copieAvant.isEmpty())
        fin +=
            finLigne + finLigne +
            QStringLiteral("Le log d'avant la restauration est gardé dans la sauvegarde « %1 » : "
                           "restaurez-la pour défaire cette restauration.")
                .arg(copieAvant);
    messages.avise(fin);
}
