#pragma once

class QFile;
class QString;

// What the text files ask of the system, written once for POSIX systems
// (FichierTexte_posix.cpp) and once for Windows (FichierTexte_win.cpp). Each
// answers 0 or the system's error number, as errno gives it.
namespace FichierTexte::systeme {

// How long a file held for a moment by another program (an antivirus, an
// indexer, a sync client) is waited for before the system's refusal is
// said, in ms.
inline constexpr int reessaiMs = 1000;

// A file the user marked read-only, or that this user may not write, is not
// replaced behind his back: renaming over it would ignore the mark.
bool marqueLectureSeule(const QString& chemin);
// Creates the file at chemin for writing, only when no file, link or
// anything else bears its name, and opens fichier on it (EEXIST when the
// name is taken).
int creeExclusif(const QString& chemin, QFile* fichier);
// Makes the work file anew, the folder's lock held: a work file left by a
// rewrite cut short is removed first; a link, a folder or a special file of
// that name is refused (ELOOP, EISDIR).
int creeTravail(const QString& chemin, QFile* fichier);

} // namespace FichierTexte::systeme
