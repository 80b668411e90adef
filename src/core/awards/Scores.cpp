#include "Scores.h"

#include "core/log/LectureLog.h"

namespace Scores {

Statut calcule(const QString& cheminLog, Tableau* scoresCalcules)
{
    *scoresCalcules = Tableau();
    return LectureLog::parcourir(cheminLog, [scoresCalcules](QByteArrayView ligne) {
        Compte* compte = nullptr;
        switch (LectureLog::groupeLigne(ligne)) {
        case Groupe::HF:
            compte = &scoresCalcules->hf;
            break;
        case Groupe::VHF:
            compte = &scoresCalcules->vhf;
            break;
        case Groupe::UHF:
            compte = &scoresCalcules->uhf;
            break;
        case Groupe::Aucun:
            return;
        }
        ++compte->contactes;
        if (LectureLog::QSL_Recue(ligne))
            ++compte->confirmes;
    });
}

} // namespace Scores
