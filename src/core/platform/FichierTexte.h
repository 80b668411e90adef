#pragma once

#include "FichierVerrou.h"
#include "Statut.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstring>
#include <functional>

class QFile;

// Line files of the program folder: Windows-1252 text, one record a line,
// every line written with CR LF. Reading takes CR LF, LF alone, CR alone and a
// last line without a line end, and never drops or merges a line.
namespace FichierTexte {

// The line end of every line the program writes, in its files and in its
// messages: CR LF. For a QByteArray, finLigne.data() (ended by a NUL).
inline constexpr QLatin1StringView finLigne("\r\n");

// Calls visite(donnees, taille) for each line of the buffer, without its line end.
// A line ends at CR LF, at LF alone or at CR alone (old Mac files).
template <typename Visit> void parcourtLignes(const char* donnees, qsizetype taille, Visit&& visite)
{
    const auto finDeLigne = [](char c) { return c == '\n' || c == '\r'; };
    qsizetype debut = 0;
    qsizetype i = 0;
    for (;;) {
        if (i + 8 <= taille) {
            // Eight bytes at a time: a word with no byte below 14 holds
            // neither CR (13) nor LF (10), and the test never misses one.
            quint64 mot;
            std::memcpy(&mot, donnees + i, 8);
            if (((mot - 0x0E0E0E0E0E0E0E0EULL) & ~mot & 0x8080808080808080ULL) == 0) {
                i += 8;
                continue;
            }
            const qsizetype fin = i + 8;
            while (i < fin && !finDeLigne(donnees[i]))
                ++i;
            if (i == fin)
                continue;
        } else {
            while (i < taille && !finDeLigne(donnees[i]))
                ++i;
            if (i == taille)
                break;
        }
        visite(donnees + debut, i - debut);
        i += donnees[i] == '\r' && i + 1 < taille && donnees[i + 1] == '\n' ? 2 : 1;
        debut = i;
    }
    if (debut < taille)
        visite(donnees + debut, taille - debut);
}
void pourChaqueLigne(const QByteArray& contenu,
                     const std::function<void(const char* donnees, qsizetype taille)>& visite);
void pourChaqueLigne(const char* donnees, qsizetype taille,
                     const std::function<void(const char* donnees, qsizetype taille)>& visite);

// Opens the file for reading, unbuffered. Missing when the file does not
// exist; the same messages as litTout otherwise.
Statut ouvreEnLecture(const QString& chemin, QFile* fichier);
// The failure of a read from the open file, as litTout says it.
Statut lectureRatee(const QString& chemin);

// Calls visite(decalage, donnees, taille) for each block of whole lines of the
// file open at chemin, read from where it stands, so that a long file never stands
// whole in memory: parcourtLignes over the blocks gives the lines of the
// whole content, decalage being where the block starts in the file.
Statut pourChaqueBloc(
    QFile& fichier, const QString& chemin,
    const std::function<void(qint64 decalage, const char* donnees, qsizetype taille)>& visite);
// Opens the file and does the same. Missing when the file does not exist.
Statut litChaqueLigne(const QString& chemin,
                      const std::function<void(const char* donnees, qsizetype taille)>& visite);

// Reads the whole file. Missing when the file does not exist.
Statut litTout(const QString& chemin, QByteArray* contenu);
Statut litTexte(const QString& chemin, QStringList* lignes);

// Replaces the file at cible by the given lines: they are written to the
// work file (same folder), flushed to the disk, and the work file is renamed
// over the target, so that the target is at every moment either its old
// content or its new content, complete. On failure the target is left as it
// was, the work file is removed, and the status explains what went wrong.
// A target marked read-only is refused. The rewrite holds the lock of the
// work file's folder (VerrouDossier) from the creation of the work file to the
// rename.
// With Synchronisation::Differee, the rewrite ends with the rename and the
// caller flushes the folder with synchroniseDossierDe: a caller that renames
// two files of a folder in one operation flushes it once for both.
enum class Synchronisation { Immediate, Differee };
Statut remplace(const QString& cible, const QString& fichierTravail,
                const QList<QByteArray>& lignes,
                Synchronisation synchronisation = Synchronisation::Immediate);
// Same, with the whole new content (lines already ended by CR LF).
Statut remplaceContenu(const QString& cible, const QString& fichierTravail,
                       const QByteArray& contenu,
                       Synchronisation synchronisation = Synchronisation::Immediate);
// Flushes the folder of cible, so that the renames made in it last; the
// message names cible when the disk does not confirm.
Statut synchroniseDossierDe(const QString& cible);

// Same, from text: refused as a whole, with nothing written, when a character
// has no Windows-1252 byte.
Statut remplaceTexte(const QString& cible, const QString& fichierTravail, const QStringList& lignes,
                     Synchronisation synchronisation = Synchronisation::Immediate);

// Creates a file that must not exist yet with the given content, flushed to
// the disk with its folder entry. Nothing is left behind on failure.
Statut creeNouveau(const QString& chemin, const QByteArray& contenu);

// The system calls that make a rewrite durable. The program uses the
// system's; a test may put its own in place to watch their order or to make
// one of them fail. Each returns 0 or the system error number.
class OperationsFichier {
public:
    virtual ~OperationsFichier() = default;
    // Writes all the bytes and hands them to the system.
    virtual int ecrit(QFile& fichier, const QByteArray& octets);
    // Flushes the file's content to the disk.
    virtual int synchronise(QFile& fichier);
    // Renames depuis over vers, in one step.
    virtual int renomme(const QString& depuis, const QString& vers);
    // Flushes the folder's entries (a rename, a new file) to the disk.
    virtual int synchroniseDossier(const QString& dossier);
};

// Puts operations in place of the current ones (nullptr: the system's) and
// returns the previous ones.
OperationsFichier* changeOperationsFichier(OperationsFichier* operations);

} // namespace FichierTexte
