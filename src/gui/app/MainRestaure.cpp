// The restore of a backup of the log, from the menu "Station": a backup of
// the folder "Sauvegardes", or the log of a second copy on another disk.

#include "Main.h"

#include "core/app/CopieEnFond.h"
#include "core/app/Reglages.h"
#include "core/log/CopieSecurite.h"
#include "core/log/Sauvegardes.h"
#include "core/log/StationLog.h"
#include "core/platform/Attente.h"
#include "core/platform/BoiteMessage.h"
#include "core/platform/FichierTexte.h"
#include "core/platform/FichierVerrou.h"
#include "gui/entry/LiaisonSaisie.h"
#include "gui/entry/ListeLog.h"
#include "gui/platform/DialogueProgression.h"

#include <QDir>
#include <QFileInfo>

#include <QInputDialog>

using FichierTexte::finLigne;

namespace {

// The station's log in a complete second copy: its path and how it is shown.
struct LogCopie {
    QString chemin;
    QString nom;
    QString description;
};

// Read away from the windows' thread: the folder may be a stick or a share
// that answers slowly.
QList<LogCopie> logsDesCopies(const QString& destination, const QString& log)
{
    QList<LogCopie> trouves;
    for (const QString& copie : CopieSecurite::copies(destination)) {
        const QFileInfo fichier(QDir(destination).filePath(copie + QLatin1Char('/') + log));
        if (!fichier.isFile() || fichier.isSymLink())
            continue;
        const QString nom =
            QStringLiteral("copie de sécurité %1").arg(FichierTexte::cheminEntreGuillemets(copie));
        trouves.append({fichier.filePath(), nom,
                        Sauvegardes::descriptionFichier(fichier.filePath(),
                                                        CopieSecurite::dateDe(copie), nom)});
    }
    return trouves;
}

} // namespace

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
    QList<LogCopie> copies;
    const QString destination = m_copie->dossier();
    DialogueProgression fenetre(this);
    Attente& attente = m_attente ? *m_attente : fenetre;
    if (!destination.isEmpty()) {
        attente.execute(QStringLiteral("Lecture des copies de sécurité…"),
                        [&](Progression&) { copies = logsDesCopies(destination, log); });
    }
    if (noms.isEmpty() && copies.isEmpty()) {
        messages.avise(
            QStringLiteral("Le dossier « %1 » ne contient aucune sauvegarde du log « %2 ».")
                .arg(Sauvegardes::nomDossier, log));
        return;
    }

    // Each copy by its day, time and number of QSOs, the most recent first.
    QStringList descriptions;
    for (const QString& n : noms)
        descriptions << sauvegardes.description(n);
    for (const LogCopie& c : copies)
        descriptions << c.description;
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
    const bool deCopie = choisie >= noms.size();
    const QString nom = deCopie ? QString() : noms.at(choisie);
    // What replaces the log, as the messages name it.
    const QString quoi = deCopie ? copies.at(choisie - noms.size()).nom
                                 : QStringLiteral("sauvegarde « %1 »").arg(nom);
    const QString question =
        QStringLiteral("Remplacer le log « %1 » par la %2 ?").arg(log, quoi) + finLigne + finLigne +
        QStringLiteral("Le log actuel est d'abord copié lui aussi dans le dossier « %1 ».")
            .arg(Sauvegardes::nomDossier);
    if (!m_liaison->modele().abandonAccepte() || !messages.demandeConfirmation(question))
        return;
    QString copieAvant;
    Statut fait = Statut::valide();
    if (deCopie) {
        const QString chemin = copies.at(choisie - noms.size()).chemin;
        attente.execute(QStringLiteral("Restauration du log « %1 »…").arg(log), [&](Progression&) {
            fait = sauvegardes.restaureFichier(m_indicatif, chemin, &copieAvant);
        });
    } else {
        fait = sauvegardes.restaureSauvegarde(m_indicatif, nom, &copieAvant);
    }
    if (!fait) {
        messages.avise(fait.message);
        return;
    }
    if (!Charge_Log())
        return;
    m_liste->selectionneDerniere();
    // A QSO being edited belonged to the log that is gone.
    m_liaison->agit([this] { m_liaison->modele().logRemplace(); });
    QString fin = QStringLiteral("Le log « %1 » a été remplacé par la %2.").arg(log, quoi);
    if (!copieAvant.isEmpty())
        fin +=
            finLigne + finLigne +
            QStringLiteral("Le log d'avant la restauration est gardé dans la sauvegarde « %1 » : "
                           "restaurez-la pour défaire cette restauration.")
                .arg(copieAvant);
    messages.avise(fin);
}
