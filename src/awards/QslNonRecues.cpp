#include "QslNonRecues.h"

#include "log/Texte.h"
#include "platform/Cp1252.h"

namespace QslNonRecues {

namespace {

// Columns of the display line (1-based, width).
QString piece(const QString& affichage, int debut, int largeur)
{
    return Texte::colonnes(affichage, debut, largeur);
}

QString sansBlancs(const QString& affichage, int debut, int largeur)
{
    return Texte::sansBlancs(piece(affichage, debut, largeur));
}

} // namespace

QString Ligne_QSL(const QString& affichage)
{
    return piece(affichage, 50, 17) + QLatin1Char(' ') + sansBlancs(affichage, 22, 4) +
           QStringLiteral("   KZT ") + sansBlancs(affichage, 43, 5) + QStringLiteral("   ") +
           piece(affichage, 67, 23) + QStringLiteral("  ") + piece(affichage, 90, 30);
}

QString Cle(const QString& saisie)
{
    return Cp1252::toUpper(saisie);
}

QStringList Recherche(const QStringList& affichage, const QString& saisie)
{
    const QString cle = Cle(saisie);
    QStringList lignes;
    for (const QString& ligne : affichage) {
        if (sansBlancs(ligne, 122, 1) == QLatin1String("*"))
            continue;
        if (!sansBlancs(ligne, 8, 12).contains(cle))
            continue;
        lignes.append(Ligne_QSL(ligne));
    }
    return lignes;
}

QStringList Lignes_Cartes(const QString& correspondant, const QString& station,
                          const QStringList& cochees)
{
    const QString marge(4, QLatin1Char(' '));
    QStringList sortie;
    int c = 0;
    for (const QString& ligne : cochees) {
        if (c == 0) {
            sortie << marge + correspondant +
                          QStringLiteral(" confirme les QSO's suivants avec la station ") + station
                   << QString() << Entete_Carte;
        }
        sortie << marge + ligne.left(Largeur_Imprimee);
        if (++c == QSO_Par_Carte) {
            sortie << QString() << Signature << QStringLiteral("-") << QString();
            c = 0;
        }
    }
    if (c != 0) {
        for (int i = 0; i < QSO_Par_Carte + 1 - c; ++i)
            sortie << QString();
        sortie << Signature << QStringLiteral("-");
    }
    return sortie;
}

} // namespace QslNonRecues
