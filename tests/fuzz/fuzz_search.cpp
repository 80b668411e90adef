// The QSO search over the display lines of any log, with any text in any of
// the three boxes: the results are the lines that match, in list order, each
// 86 characters long and leading back to its own line of the list.
//
// Input: a byte giving the box (low two bits) and the length of the text
// (the other bits), that text (UTF-8), then the log's bytes.

#include "Aleatoire.h"

#include "core/log/Affichage.h"
#include "core/search/Recherche.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille)
{
    if (taille < 1)
        return 0;
    const Recherche::Cle cle = Recherche::Cle((donnees[0] & 3) % 3);
    const size_t k = qMin<size_t>(donnees[0] >> 2, taille - 1);
    const QString saisie =
        QString::fromUtf8(reinterpret_cast<const char*>(donnees + 1), qsizetype(k));
    const QByteArray contenu(reinterpret_cast<const char*>(donnees + 1 + k),
                             qsizetype(taille - 1 - k));

    QStringList lignes = Affichage::Journal(contenu).versListe();
    // Lines of the list shorter than usual are searched as well.
    if (donnees[0] & 0x80 && !lignes.isEmpty())
        lignes.last().truncate(lignes.size() % Affichage::Longueur);

    const QString texte = Recherche::sansCrLf(saisie);
    FUZZ_CHECK(texte == (saisie.startsWith(QStringLiteral("\r\n")) ? saisie.mid(2) : saisie));
    const QString compare = Recherche::texteCompare(cle, texte);
    const Recherche::Resultat r = Recherche::Recherche_SP(cle, texte, lignes);

    QList<qsizetype> attendues;
    for (qsizetype i = 0; i < lignes.size(); ++i) {
        if (Recherche::correspond(cle, compare, lignes.at(i)))
            attendues.append(i);
    }
    if (!lignes.isEmpty() && compare.isEmpty()) {
        FUZZ_CHECK(r.lignes.isEmpty() && !r.message.isEmpty());
        return 0;
    }
    FUZZ_CHECK(r.lignes.size() == attendues.size());
    FUZZ_CHECK(r.message.isEmpty() == !r.lignes.isEmpty());
    FUZZ_CHECK(r.videIndica && r.videBoites);
    for (qsizetype j = 0; j < r.lignes.size(); ++j) {
        const QString& resultat = r.lignes.at(j);
        const qsizetype i = attendues.at(j);
        FUZZ_CHECK(resultat.size() == Recherche::longueurResultat);
        FUZZ_CHECK(resultat == Recherche::ligneResultat(lignes.at(i)));
        // The numbers of the list are all different: back to that very line.
        if (lignes.at(i).size() >= Recherche::longueurNumero)
            FUZZ_CHECK(Recherche::ligneDuResultat(resultat, lignes) == i);
    }
    return 0;
}
