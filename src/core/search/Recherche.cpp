#include "Recherche.h"

#include "core/log/Affichage.h"
#include "core/log/Texte.h"
#include "core/platform/Cp1252.h"
#include "core/platform/FichierTexte.h"

#include <QStringView>

#include <functional>

namespace Recherche {

namespace {

QStringView colonnes(const QString& ligne, qsizetype debut, qsizetype largeur)
{
    const QStringView vue(ligne);
    if (debut - 1 >= vue.size())
        return {};
    return vue.mid(debut - 1, largeur);
}

QStringView colonnes(const QString& ligne, Affichage::Piece piece)
{
    return colonnes(ligne, piece.colonne, piece.largeur());
}

bool referenceEgale(QStringView reference, QStringView texte)
{
    // The reference without any blank.
    qsizetype i = 0;
    for (const QChar c : reference) {
        if (c == QLatin1Char(' '))
            continue;
        if (i >= texte.size() || texte.at(i) != c)
            return false;
        ++i;
    }
    return i == texte.size();
}

QString messageTexteVide(Cle cle)
{
    switch (cle) {
    case Cle::Indicatif:
        return QStringLiteral("Entrez un indicatif");
    case Cle::Reference:
        return QStringLiteral("Entrez une référence");
    case Cle::Departement:
        return QStringLiteral("Entrez un departement");
    }
    return {};
}

} // namespace

QString sansCrLf(const QString& texte)
{
    return texte.startsWith(FichierTexte::finLigne) ? texte.mid(FichierTexte::finLigne.size())
                                                    : texte;
}

QString texteCompare(Cle cle, const QString& texte)
{
    return cle == Cle::Departement ? texte : Cp1252::majusculesCp1252(texte);
}

bool correspond(Cle cle, const QString& compare, const QString& affichage)
{
    switch (cle) {
    case Cle::Indicatif:
        return Texte::sansBlancs(colonnes(affichage, Affichage::Indicatif))
            .contains(compare, Qt::CaseSensitive);
    case Cle::Reference:
        return referenceEgale(colonnes(affichage, Affichage::Reference), compare);
    case Cle::Departement: {
        // The two first columns of the department.
        const QStringView departement = colonnes(affichage, Affichage::Departement.colonne, 2);
        if (compare.size() == 1) {
            // A department of one character is stored followed by a blank.
            return departement.size() == 2 && departement.at(0) == compare.at(0) &&
                   departement.at(1) == QLatin1Char(' ');
        }
        return departement == compare;
    }
    }
    return false;
}

QString ligneResultat(const QString& affichage)
{
    using namespace Affichage;
    const QString ligne = affichage.size() >= Longueur
                              ? affichage
                              : affichage + QString(Longueur - affichage.size(), QLatin1Char(' '));
    const QStringView vue(ligne);
    const auto piece = [&vue](int colonne, int largeur) { return vue.mid(colonne - 1, largeur); };
    const QLatin1StringView deux("  ");
    QString resultat;
    resultat.reserve(longueurResultat);
    // The number, the callsign and the first three columns of the department.
    resultat.append(piece(1, Departement.colonne + 2));
    resultat.append(deux);
    resultat.append(piece(Date.colonne, Date.largeur()));
    resultat.append(deux);
    resultat.append(piece(Bande.colonne, Bande.largeur() + 1));
    resultat.append(deux);
    resultat.append(piece(Reference.colonne, Reference.largeur()));
    resultat.append(deux);
    // The windmill name and the QSL flag, to the end of the line.
    resultat.append(piece(Nom_Moulin.colonne, Longueur + 1 - Nom_Moulin.colonne));
    return resultat;
}

namespace {

// The search, whose lines come from parcours: it calls its visitor with each
// display line (of which the piece of the key at least is filled in) and
// its index, and entiere gives the whole line of an index.
using Visite = std::function<void(const QString& ligne, qsizetype i)>;
Resultat recherche(Cle cle, const QString& texte, bool vide,
                   const std::function<void(const Visite&)>& parcours,
                   const std::function<QString(qsizetype)>& entiere)
{
    Resultat r;
    const QString compare = texteCompare(cle, texte);
    if (!vide) {
        if (compare.isEmpty()) {
            r.message = messageTexteVide(cle);
            r.videIndica = cle == Cle::Indicatif;
            return r;
        }
        parcours([&](const QString& ligne, qsizetype i) {
            if (correspond(cle, compare, ligne))
                r.lignes.append(ligneResultat(entiere(i)));
        });
    }
    if (r.lignes.isEmpty())
        r.message = QStringLiteral("Pas de QSO trouvé");
    r.videIndica = true;
    r.videBoites = true;
    return r;
}

Affichage::Piece pieceDe(Cle cle)
{
    switch (cle) {
    case Cle::Reference:
        return Affichage::Reference;
    case Cle::Departement:
        return Affichage::Departement;
    case Cle::Indicatif:
        break;
    }
    return Affichage::Indicatif;
}

} // namespace

Resultat Recherche_SP(Cle cle, const QString& texte, const QStringList& lignes)
{
    return recherche(
        cle, texte, lignes.isEmpty(),
        [&](const Visite& visite) {
            for (qsizetype i = 0; i < lignes.size(); ++i)
                visite(lignes.at(i), i);
        },
        [&](qsizetype i) { return lignes.at(i); });
}

Resultat Recherche_SP(Cle cle, const QString& texte, const Affichage::Journal& journal)
{
    return recherche(
        cle, texte, journal.isEmpty(),
        [&](const Visite& visite) {
            journal.parcourir({pieceDe(cle)},
                              [&](qsizetype i, const QString& ligne) { visite(ligne, i); });
        },
        [&](qsizetype i) { return journal.at(i); });
}

int ligneDuResultat(const QString& resultat, const QStringList& lignes)
{
    if (resultat.size() < longueurNumero)
        return -1;
    const QStringView numero = QStringView(resultat).left(longueurNumero);
    int trouvee = -1;
    for (qsizetype i = 0; i < lignes.size(); ++i) {
        if (QStringView(lignes.at(i)).left(longueurNumero) == numero)
            trouvee = int(i);
    }
    return trouvee;
}

int ligneDuResultat(const QString& resultat, const Affichage::Journal& journal)
{
    // The lines of the log are numbered from 1 in order: the number alone
    // tells the line.
    if (resultat.size() < longueurNumero)
        return -1;
    const QStringView numero = QStringView(resultat).left(longueurNumero);
    bool lu = false;
    const int n = numero.trimmed().toInt(&lu);
    if (!lu || n < 1 || n > journal.size() ||
        QStringView(Affichage::ligneAffichage(n, nullptr, 0)).left(longueurNumero) != numero)
        return -1;
    return n - 1;
}

} // namespace Recherche
