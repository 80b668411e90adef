// The award computations over any log: the windmill lists, the scores, the
// department map and the unreceived QSLs agree with each other and with the
// lines of the log, and the QSL cards are laid out whole.
//
// Input: a byte giving the length of the search text, that text
// (Windows-1252), then the log's bytes.

#include "Aleatoire.h"

#include "core/awards/CarteDepartements.h"
#include "core/awards/MoulinsContactes.h"
#include "core/awards/QslNonRecues.h"
#include "core/awards/Scores.h"
#include "core/log/Affichage.h"
#include "core/log/Groupe.h"
#include "core/log/LectureLog.h"
#include "core/log/LogLine.h"
#include "core/log/MoulinContacte.h"
#include "core/log/StationLog.h"
#include "core/log/Texte.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille)
{
    if (taille < 1)
        return 0;
    const size_t k = qMin<size_t>(donnees[0] & 15, taille - 1);
    const QString saisie =
        Cp1252::decode1252(reinterpret_cast<const char*>(donnees + 1), qsizetype(k));
    const QByteArray contenu(reinterpret_cast<const char*>(donnees + 1 + k),
                             qsizetype(taille - 1 - k));

    const QString dossier = Aleatoire::dossier();
    const StationLog log(dossier, QStringLiteral("F1FUZ"));
    Aleatoire::ecrit(log.chemin(), contenu);

    // The lines as the award windows read them.
    struct Compte {
        int contactes = 0;
        int confirmes = 0;
    };
    Compte parGroupe[3];
    bool longues = true;
    qsizetype lues = 0;
    const Statut parcours = LectureLog::parcourir(log.chemin(), [&](QByteArrayView ligne) {
        ++lues;
        longues = longues && ligne.size() >= LogLine::Longueur;
        const QString groupe = nomGroupe(LectureLog::groupeLigne(ligne));
        const qsizetype g = groupesBande().indexOf(groupe);
        FUZZ_CHECK(groupe.isEmpty() == (g < 0));
        FUZZ_CHECK(LectureLog::champ(ligne, LogLine::Nom_Moulin).size() <= 30);
        const QByteArrayView dpt = LectureLog::champSansBlancs(ligne, LogLine::Departement);
        const int n = CarteDepartements::caseDepartement(dpt);
        FUZZ_CHECK(n >= -1 && n < CarteDepartements::nombreCases);
        if (g < 0)
            return;
        ++parGroupe[g].contactes;
        if (LectureLog::QSL_Recue(ligne))
            ++parGroupe[g].confirmes;
    });
    FUZZ_CHECK(parcours.estOk());

    Scores::Tableau scoresCalcules;
    FUZZ_CHECK(Scores::calcule(log.chemin(), &scoresCalcules).estOk());
    const Scores::Compte* parScore[3] = {&scoresCalcules.hf, &scoresCalcules.vhf,
                                         &scoresCalcules.uhf};

    for (int g = 0; g < 3; ++g) {
        const QString groupe = groupesBande().at(g);
        FUZZ_CHECK(parScore[g]->contactes == parGroupe[g].contactes);
        FUZZ_CHECK(parScore[g]->confirmes == parGroupe[g].confirmes);

        MoulinsContactes::Liste liste;
        FUZZ_CHECK(MoulinsContactes::construit(log.chemin(), groupe, &liste).estOk());
        FUZZ_CHECK(liste.contactes == parGroupe[g].contactes);
        FUZZ_CHECK(liste.confirmes == parGroupe[g].confirmes);
        FUZZ_CHECK(liste.lignes.size() == liste.contactes);
        FUZZ_CHECK(std::is_sorted(liste.lignes.cbegin(), liste.lignes.cend()));
        for (const QString& l : liste.lignes) {
            FUZZ_CHECK(l.size() <= MoulinsContactes::longueurLigne);
            if (longues)
                FUZZ_CHECK(l.size() == MoulinsContactes::longueurLigne);
        }

        // A box is on the map only for a QSO of the group, and green only
        // for a confirmed one.
        CarteDepartements::Carte carte;
        FUZZ_CHECK(CarteDepartements::Colorie_Carte(log.chemin(), groupe, &carte).estOk());
        FUZZ_CHECK(carte.contactes == carte.confirmes + carte.nonConfirmes);
        FUZZ_CHECK(carte.contactes <= parGroupe[g].contactes);
        FUZZ_CHECK(carte.confirmes <= parGroupe[g].confirmes);
        FUZZ_CHECK(carte.contactes <= CarteDepartements::nombreCases - 1);

        const MoulinContacte moulin =
            Moulin_Deja_Contacte(log.chemin(), Texte::sansBlancs(saisie), groupe);
        if (moulin.trouve)
            FUZZ_CHECK(Groupe_Bande(moulin.bande) == groupe);
    }

    // The unreceived QSLs of the correspondent, on cards of 18 QSOs.
    const StationLog::Lignes lignes = log.Charge_Log();
    FUZZ_CHECK(lignes.statut.estOk() && lignes.total == lues);
    const QStringList affichage = lignes.affichage.versListe();
    const QStringList qsl = QslNonRecues::recherche(affichage, saisie);
    FUZZ_CHECK(qsl.size() <= affichage.size());
    const QStringList cartes =
        QslNonRecues::lignesCartes(saisie, QStringLiteral("F1FUZ"), qsl.mid(0, 100));
    const qsizetype n = qMin<qsizetype>(qsl.size(), 100);
    const qsizetype pleines = n / QslNonRecues::QSO_Par_Carte;
    const bool entamee = n % QslNonRecues::QSO_Par_Carte != 0;
    FUZZ_CHECK(cartes.size() == pleines * 25 + (entamee ? 24 : 0));
    FUZZ_CHECK(cartes.count(QslNonRecues::signature) == pleines + (entamee ? 1 : 0));
    return 0;
}
