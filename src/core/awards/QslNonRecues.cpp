#include "QslNonRecues.h"

#include "core/log/Affichage.h"
#include "core/log/Texte.h"
#include "core/platform/Cp1252.h"

namespace QslNonRecues {

namespace {

using Affichage::Piece;
using Affichage::textePiece;

QString sansBlancs(const QString& affichage, Piece piece)
{
    return Texte::sansBlancs(textePiece(affichage, piece));
}

// The piece without its blanks, read in place: a search reads two pieces of
// every line of the log.
QStringView vue(const QString& affichage, Piece piece)
{
    const QStringView ligne(affichage);
    if (piece.colonne - 1 >= ligne.size())
        return {};
    return Texte::sansBlancs(ligne.mid(piece.colonne - 1, piece.largeur()));
}

// The display columns from one piece up to the next one, blanks between
// them included.
QString jusqua(const QString& affichage, Piece debut, Piece suivante)
{
    return Texte::colonnes(affichage, debut.colonne, suivante.colonne - debut.colonne);
}

} // namespace

QString ligneQsl(const QString& affichage)
{
    using namespace Affichage;
    // Date and time; mode, band and the two reports.
    return jusqua(affichage, Date, Mode) + QLatin1Char(' ') + sansBlancs(affichage, Departement) +
           QStringLiteral("   KZT ") + sansBlancs(affichage, Reference) + QStringLiteral("   ") +
           jusqua(affichage, Mode, Nom_Moulin) + QStringLiteral("  ") +
           textePiece(affichage, Nom_Moulin);
}

QString cleDeRecherche(const QString& saisie)
{
    return Cp1252::majusculesCp1252(saisie);
}

namespace {

bool nonRecue(const QString& ligne, const QString& cle)
{
    return vue(ligne, Affichage::QSL) != QLatin1String("*") &&
           vue(ligne, Affichage::Indicatif).contains(cle);
}

} // namespace

QStringList recherche(const QStringList& affichage, const QString& saisie)
{
    const QString cle = cleDeRecherche(saisie);
    QStringList lignes;
    for (const QString& ligne : affichage) {
        if (nonRecue(ligne, cle))
            lignes.append(ligneQsl(ligne));
    }
    return lignes;
}

QStringList recherche(const Affichage::Journal& journal, const QString& saisie)
{
    const QString cle = cleDeRecherche(saisie);
    QStringList lignes;
    journal.parcourir({Affichage::Indicatif, Affichage::QSL},
                      [&](qsizetype i, const QString& ligne) {
                          if (nonRecue(ligne, cle))
                              lignes.append(ligneQsl(journal.at(i)));
                      });
    return lignes;
}

QStringList lignesCartes(const QString& correspondant, const QString& station,
                         const QStringList& cochees)
{
    const QString marge(4, QLatin1Char(' '));
    QStringList sortie;
    int c = 0;
    for (const QString& ligne : cochees) {
        if (c == 0) {
            sortie << marge + correspondant +
                          QStringLiteral(" confirme les QSO's suivants avec la station ") + station
                   << QString() << enteteCarte;
        }
        sortie << marge + ligne.left(largeurImprimee);
        if (++c == QSO_Par_Carte) {
            sortie << QString() << signature << QStringLiteral("-") << QString();
            c = 0;
        }
    }
    if (c != 0) {
        for (int i = 0; i < QSO_Par_Carte + 1 - c; ++i)
            sortie << QString();
        sortie << signature << QStringLiteral("-");
    }
    return sortie;
}

} // namespace QslNonRecues
