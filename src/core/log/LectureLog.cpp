#include "LectureLog.h"

#include "core/log/Groupe.h"
#include "core/platform/Cp1252.h"
#include "core/platform/FichierTexte.h"

#include <QByteArray>

namespace LectureLog {

Statut parcourir(const QString& cheminLog, const std::function<void(QByteArrayView ligne)>& visite)
{
    // Read by blocks: a long log never stands whole in memory.
    return FichierTexte::litChaqueLigne(cheminLog,
                                        [&visite](const char* donnees, qsizetype taille) {
                                            visite(QByteArrayView(donnees, taille));
                                        });
}

QByteArrayView champ(QByteArrayView ligne, LogLine::Colonne colonne)
{
    const qsizetype debut = colonne.debut - 1;
    if (debut >= ligne.size())
        return {};
    return ligne.sliced(debut, qMin<qsizetype>(colonne.largeur, ligne.size() - debut));
}

QByteArrayView champSansBlancs(QByteArrayView ligne, LogLine::Colonne colonne)
{
    QByteArrayView texte = champ(ligne, colonne);
    while (!texte.isEmpty() && texte.front() == ' ')
        texte = texte.sliced(1);
    while (!texte.isEmpty() && texte.back() == ' ')
        texte.chop(1);
    return texte;
}

Groupe groupeLigne(QByteArrayView ligne)
{
    const QByteArrayView bande = champSansBlancs(ligne, LogLine::Bande);
    return groupeDe(Cp1252::decode1252(bande.data(), bande.size()));
}

bool QSL_Recue(QByteArrayView ligne)
{
    return champ(ligne, LogLine::QSL) == QByteArrayView("*");
}

} // namespace LectureLog
