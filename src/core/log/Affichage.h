#pragma once

#include "LogLine.h"
#include "core/platform/Statut.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

// The line of the main list for one QSO: its number right-aligned in five
// columns, then the stored fields at fixed columns, 122 characters in all.
namespace Affichage {

inline constexpr int Longueur = 122;
// Highest number that the five columns can show.
inline constexpr int numeroMaxi = 99999;
// The number stands right-aligned in the first columns.
inline constexpr int largeurNumero = 5;

// Where a stored field stands in the display line: its first column (1-based)
// and the column of the stored line it comes from, with its width.
struct Piece {
    int colonne;
    LogLine::Colonne stockee;
    constexpr int largeur() const { return stockee.largeur; }
};

inline constexpr Piece Indicatif{8, LogLine::Indicatif};
inline constexpr Piece Departement{22, LogLine::Departement};
inline constexpr Piece Prenom{27, LogLine::Prenom};
inline constexpr Piece Reference{43, LogLine::Reference};
inline constexpr Piece Date{50, LogLine::Date};
inline constexpr Piece Heure{60, LogLine::Heure};
inline constexpr Piece Mode{67, LogLine::Mode};
inline constexpr Piece Bande{72, LogLine::Bande};
inline constexpr Piece RST_Recu{81, LogLine::RST_Recu};
inline constexpr Piece RST_Envoye{86, LogLine::RST_Envoye};
inline constexpr Piece Nom_Moulin{90, LogLine::Nom_Moulin};
inline constexpr Piece QSL{122, LogLine::QSL};

// The twelve pieces in the order of the stored line; the blanks between them
// are the separators of the display line.
inline constexpr std::array<Piece, 12> Pieces = {
    Indicatif, Departement, Prenom,   Reference,  Date,       Heure,
    Mode,      Bande,       RST_Recu, RST_Envoye, Nom_Moulin, QSL,
};
static_assert(QSL.colonne == Longueur && QSL.largeur() == 1);

// A column title over a list of fixed-pitch lines: its text and the column
// (1-based) of the line where it starts.
struct Titre {
    const char* texte;
    int colonne;
};

// The titles over the display lines, each over the first column of its
// field. The number, right-aligned in columns 1-5, has its title over its
// last two columns; the reports' titles are one character wider than their
// columns and stand one column before them; "QSL" ends over the flag.
inline constexpr std::array<Titre, 13> titresListe = {{
    {"N°", largeurNumero - 1},
    {"Indicatif", Indicatif.colonne},
    {"Dpt", Departement.colonne},
    {"Prenom", Prenom.colonne},
    {"Ref", Reference.colonne},
    {"Date", Date.colonne},
    {"QTR", Heure.colonne},
    {"Mode", Mode.colonne},
    {"QRG", Bande.colonne},
    {"RSTR", RST_Recu.colonne - 1},
    {"RSTE", RST_Envoye.colonne - 1},
    {"Mom du Moulin", Nom_Moulin.colonne},
    {"QSL", QSL.colonne - 2},
}};

// The display line as a screen reader says it: the number, then each field
// that is not blank, named, without the blanks that align the columns; the
// QSL flag as "QSL reçue".
QString texteLisible(const QString& affichage);

// The piece of a display line, as it stands (shorter when the line is).
QString textePiece(const QString& affichage, Piece piece);

// The display line of the stored line at position numero (1-based). A stored
// line shorter than 107 characters (a hand-edited file) is read as if padded
// with blanks, so the columns always line up.
QString ligneAffichage(int numero, const QString& ligneLog);
QString ligneAffichage(int numero, const char* ligneLog, qsizetype taille);

// The display lines of a whole log, made when they are asked for. Only where
// each line stands is kept: the lines themselves stay in the log's bytes,
// held once in memory, or in the log file itself, kept open and read again
// for the lines shown or searched, so that a long log costs little memory
// and loads about as fast as the file reads.
class Journal {
public:
    Journal() = default;
    // The lines of a log file's content, at most numeroMaxi of them.
    explicit Journal(QByteArray contenu);
    // From stored lines given as text (characters outside Windows-1252 are
    // not expected there).
    static Journal depuisLignesLog(const QStringList& lignes);
    // The lines of the log file at chemin, read by blocks. The file stays
    // open for the lines to be read again: the program only ever replaces a
    // log by renaming a new file over it, which leaves the open one as it
    // was read. Missing when the file does not exist, with the messages of
    // FichierTexte::litTout.
    static Statut litFichier(const QString& chemin, Journal* journal);

    qsizetype size() const;
    bool isEmpty() const { return size() == 0; }
    // Lines in the file, shown or not.
    qsizetype total() const { return m_total; }
    // The display line of line i (0-based), numbered i + 1; empty outside
    // the journal.
    QString at(qsizetype i) const;
    QString last() const { return at(size() - 1); }
    QStringList versListe() const;

    // Visits every line in order with its display line, of which only the
    // number and the given pieces are filled in (the other columns blank):
    // what a search reads, without making whole lines.
    void parcourir(std::initializer_list<Piece> pieces,
                   const std::function<void(qsizetype i, const QString& affichage)>& visite) const;

private:
    struct Donnees;
    std::shared_ptr<const Donnees> m_donnees;
    qsizetype m_total = 0;
};

// The stored line of a display line: the twelve pieces joined by single
// blanks. The windmill name is put in upper case when asked (the edit does
// that, the deletion does not).
QString logLineDepuisAffichage(const QString& affichage, bool nomEnMajuscules);

// The entry fields shown for a display line (trimmed pieces; date and time as
// they stand; QSL ticked when column 122 is "*").
LogLine::Champs champsDepuisAffichage(const QString& affichage);

} // namespace Affichage
