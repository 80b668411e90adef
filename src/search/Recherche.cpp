#include "Recherche.h"

#include "log/Texte.h"

#include <QStringView>

namespace Recherche {

namespace {

// Display columns (1-based) of the pieces read by the search.
constexpr qsizetype kIndicatif = 8, kLargeurIndicatif = 12;
constexpr qsizetype kDepartement = 22;
constexpr qsizetype kReference = 43, kLargeurReference = 5;

QStringView colonnes(const QString& ligne, qsizetype debut, qsizetype largeur)
{
    const QStringView vue(ligne);
    if (debut - 1 >= vue.size())
        return {};
    return vue.mid(debut - 1, largeur);
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

QString Sans_CRLF(const QString& texte)
{
    return texte.startsWith(QStringLiteral("\r\n")) ? texte.mid(2) : texte;
}

QString Texte_Compare(Cle cle, const QString& texte)
{
    return cle == Cle::Departement ? texte : texte.toUpper();
}

bool Correspond(Cle cle, const QString& compare, const QString& affichage)
{
    switch (cle) {
    case Cle::Indicatif:
        return Texte::sansBlancs(colonnes(affichage, kIndicatif, kLargeurIndicatif))
            .contains(compare, Qt::CaseSensitive);
    case Cle::Reference:
        return referenceEgale(colonnes(affichage, kReference, kLargeurReference), compare);
    case Cle::Departement: {
        const QStringView departement = colonnes(affichage, kDepartement, 2);
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

QString Ligne_Resultat(const QString& affichage)
{
    const QString ligne = affichage.size() >= 122
                              ? affichage
                              : affichage + QString(122 - affichage.size(), QLatin1Char(' '));
    const QStringView vue(ligne);
    const QLatin1StringView deux("  ");
    QString resultat;
    resultat.reserve(Longueur_Resultat);
    resultat.append(vue.mid(0, 24));
    resultat.append(deux);
    resultat.append(vue.mid(49, 8));
    resultat.append(deux);
    resultat.append(vue.mid(71, 8));
    resultat.append(deux);
    resultat.append(vue.mid(42, 5));
    resultat.append(deux);
    resultat.append(vue.mid(89, 33));
    return resultat;
}

Resultat Recherche_SP(Cle cle, const QString& texte, const QStringList& lignes)
{
    Resultat r;
    const QString compare = Texte_Compare(cle, texte);
    if (!lignes.isEmpty()) {
        if (compare.isEmpty()) {
            r.message = messageTexteVide(cle);
            r.videIndica = cle == Cle::Indicatif;
            return r;
        }
        for (const QString& ligne : lignes) {
            if (Correspond(cle, compare, ligne))
                r.lignes.append(Ligne_Resultat(ligne));
        }
    }
    if (r.lignes.isEmpty())
        r.message = QStringLiteral("Pas de QSO trouvé");
    r.videIndica = true;
    r.videBoites = true;
    return r;
}

int Ligne_Du_Resultat(const QString& resultat, const QStringList& lignes)
{
    if (resultat.size() < Longueur_Numero)
        return -1;
    const QStringView numero = QStringView(resultat).left(Longueur_Numero);
    int trouvee = -1;
    for (qsizetype i = 0; i < lignes.size(); ++i) {
        if (QStringView(lignes.at(i)).left(Longueur_Numero) == numero)
            trouvee = int(i);
    }
    return trouvee;
}

} // namespace Recherche
