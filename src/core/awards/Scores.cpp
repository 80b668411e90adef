#include "Scores.h"

#include "LectureLog.h"

namespace Scores {

Status Calcule(const QString& cheminLog, Tableau* scores)
{
    *scores = Tableau();
    return LectureLog::Parcourt(cheminLog, [scores](QByteArrayView ligne) {
        Compte* compte = nullptr;
        switch (LectureLog::Groupe_Ligne(ligne)) {
        case Groupe::HF:
            compte = &scores->hf;
            break;
        case Groupe::VHF:
            compte = &scores->vhf;
            break;
        case Groupe::UHF:
            compte = &scores->uhf;
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
