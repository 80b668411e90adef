#include "Scores.h"

#include "LectureLog.h"

namespace Scores {

Status Calcule(const QString& cheminLog, Tableau* scores)
{
    *scores = Tableau();
    return LectureLog::Parcourt(cheminLog, [scores](QByteArrayView ligne) {
        const QString groupe = LectureLog::Groupe(ligne);
        Compte* compte = nullptr;
        if (groupe == QLatin1String("HF"))
            compte = &scores->hf;
        else if (groupe == QLatin1String("VHF"))
            compte = &scores->vhf;
        else if (groupe == QLatin1String("UHF"))
            compte = &scores->uhf;
        if (!compte)
            return;
        ++compte->contactes;
        if (LectureLog::QSL_Recue(ligne))
            ++compte->confirmes;
    });
}

} // namespace Scores
