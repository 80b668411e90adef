#pragma once

#include "Statut.h"

#include <QString>

// The locks that keep two writers of one program folder apart.
namespace FichierTexte {

// French explanation of a system error number ("disque plein", ...).
QString erreurSysteme(int erreur);

#ifdef Q_OS_WIN
// The system error number of a Windows error code (GetLastError()).
int erreurWindows(unsigned long code);
#endif

// A path as the messages show it: « path », with the system's separators.
QString cheminEntreGuillemets(const QString& chemin);

// A lock between processes, also between computers that share the folder:
// the file system's lock on an open lock file. The system releases it when
// its holder ends in any way, killed or crashed, so that no lock is ever left
// behind; a lock file left by such a holder is simply taken. The file is
// removed when the lock is released.
class FichierVerrou {
public:
    explicit FichierVerrou(const QString& chemin);
    ~FichierVerrou();
    FichierVerrou(const FichierVerrou&) = delete;
    FichierVerrou& operator=(const FichierVerrou&) = delete;

    // Waits at most attenteMs for the holder to let go. False when it did not
    // (error() is then 0) or when the lock file cannot be made (error() is
    // the system error number). The lock file is only ever a plain file: a
    // link, a pipe or another special file of that name, or a second name of
    // another file, is neither opened through nor written (error() ELOOP).
    bool verrouille(int attenteMs);
    void deverrouille();
    bool estVerrouille() const { return m_descripteur >= 0; }
    int erreurDe() const { return m_erreur; }

    // Who holds the lock, for those who wait: written by the holder. Reading
    // gives nothing, at once, when the name is not that of a plain file.
    bool ecritInfo(const QByteArray& infos);
    static QByteArray litInfo(const QString& chemin);

private:
    QString m_cheminFichier;
    int m_descripteur = -1;
    int m_erreur = 0;
};

// One writer at a time in a folder, across processes and computers sharing
// the folder: whoever changes a file of the folder holds this lock from
// before reading the file until the new content is in place. The same thread
// may take the lock of a folder again while it holds it; the lock is released
// with the outermost.
class VerrouDossier {
public:
    static inline const QString NomFichierVerrou = QStringLiteral("Temporaire.lock");

    explicit VerrouDossier(const QString& dossier);
    ~VerrouDossier();
    VerrouDossier(const VerrouDossier&) = delete;
    VerrouDossier& operator=(const VerrouDossier&) = delete;

    // Failed, with a French message, when the lock could not be had.
    const Statut& statut() const { return m_statut; }
    explicit operator bool() const { return m_statut.estOk(); }

    // How long a writer waits for another one before giving up.
    static void changeAttenteMs(int ms);

private:
    QString m_cle;
    Statut m_statut;
};

} // namespace FichierTexte
