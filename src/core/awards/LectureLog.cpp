#include "LectureLog.h"

#include "core/log/BandGroups.h"
#include "core/platform/Cp1252.h"
#include "core/platform/TextFile.h"

#include <QByteArray>

namespace LectureLog {

Status Parcourt(const QString& cheminLog, const std::function<void(QByteArrayView ligne)>& visite)
{
    // Read by blocks: a long log never stands whole in memory.
    return TextFile::readEachLine(cheminLog, [&visite](const char* data, qsizetype taille) {
        visite(QByteArrayView(data, taille));
    });
}

QByteArrayView Champ(QByteArrayView ligne, LogLine::Colonne colonne)
{
    const qsizetype debut = colonne.debut - 1;
    if (debut >= ligne.size())
        return {};
    return ligne.sliced(debut, qMin<qsizetype>(colonne.largeur, ligne.size() - debut));
}

QByteArrayView Champ_Sans_Blancs(QByteArrayView ligne, LogLine::Colonne colonne)
{
    QByteArrayView champ = Champ(ligne, colonne);
    while (!champ.isEmpty() && champ.front() == ' ')
        champ = champ.sliced(1);
    while (!champ.isEmpty() && champ.back() == ' ')
        champ.chop(1);
    return champ;
}

Groupe Groupe_Ligne(QByteArrayView ligne)
{
    const QByteArrayView bande = Champ_Sans_Blancs(ligne, LogLine::Bande);
    return Groupe_De(Cp1252::decode(bande.data(), bande.size()));
}

bool QSL_Recue(QByteArrayView ligne)
{
    return Champ(ligne, LogLine::QSL) == QByteArrayView("*");
}

} // namespace LectureLog
