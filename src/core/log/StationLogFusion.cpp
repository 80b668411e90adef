// The merge of many new lines into the log in one rewrite (the ADIF import).

#include "EcritureLog.h"
#include "IndexQso.h"
#include "LogLine.h"
#include "Sauvegardes.h"
#include "StationLog.h"
#include "core/platform/Cp1252.h"

#include <algorithm>

QByteArray StationLog::cleQso(QByteArrayView ligne)
{
    return IndexQso::cleQso(ligne);
}

Statut StationLog::fusionneQso(const QStringList& nouvelles, Fusion* fusion)
{
    *fusion = Fusion();
    QByteArray lignes;
    lignes.reserve(nouvelles.size() * LogLine::Longueur);
    for (const QString& n : nouvelles) {
        QByteArray octets;
        const Statut statut = prepare(n, &octets);
        if (!statut)
            return statut;
        lignes.append(octets);
    }
    return fusionneLignes(lignes, fusion);
}

Statut StationLog::fusionneLignes(const QByteArray& nouvelles, Fusion* fusion)
{
    *fusion = Fusion();
    constexpr qsizetype longueur = LogLine::Longueur;
    if (nouvelles.size() % longueur != 0) {
        return Statut::enEchec(
            QStringLiteral("Lignes de log invalides (pas de %1 caractères chacune) : rien n'a été "
                           "enregistré.")
                .arg(longueur));
    }
    const qsizetype nombre = nouvelles.size() / longueur;
    const auto nouvelle = [&nouvelles](qsizetype i) {
        return QByteArrayView(nouvelles).sliced(i * longueur, longueur);
    };
    std::vector<qint64> moments(size_t(nombre), 0);
    for (qsizetype i = 0; i < nombre; ++i) {
        const QByteArrayView l = nouvelle(i);
        // A line end within a line would cut the QSO in two in the file.
        if (l.contains('\r') || l.contains('\n')) {
            return Statut::enEchec(
                QStringLiteral("Ligne de log coupée par un saut de ligne : rien n'a été "
                               "enregistré."));
        }
        moments[size_t(i)] = momentQso(l);
        if (moments[size_t(i)] < 0) {
            const QString texte = Cp1252::decode1252(l.data(), l.size());
            return Statut::enEchec(
                QStringLiteral("Le %1 à %2 n'est pas une date du calendrier : rien n'a été "
                               "enregistré.")
                    .arg(LogLine::champ(texte, LogLine::Date),
                         LogLine::champ(texte, LogLine::Heure)));
        }
    }

    const LectureVerrouillee lecture(*this);
    if (!lecture.statut)
        return lecture.statut;
    const Contenu& contenu = lecture.contenu;

    // The lines of the log first, then the new ones: a new line of a QSO
    // met before it is left out.
    const qsizetype dansLeLog = qsizetype(contenu.lignes.size());
    IndexQso connus([&](qsizetype i) {
        return i < dansLeLog ? contenu.lignes[size_t(i)] : nouvelle(i - dansLeLog);
    });
    connus.reserve(dansLeLog + nombre);
    for (qsizetype i = 0; i < dansLeLog; ++i)
        connus.ajoute(i);
    std::vector<qsizetype> gardees;
    gardees.reserve(size_t(nombre));
    for (qsizetype i = 0; i < nombre; ++i) {
        if (!connus.ajoute(dansLeLog + i)) {
            fusion->doublons.push_back(i);
            continue;
        }
        gardees.push_back(i);
    }
    if (gardees.empty())
        return Statut::valide();
    std::stable_sort(gardees.begin(), gardees.end(), [&moments](qsizetype a, qsizetype b) {
        return moments[size_t(a)] < moments[size_t(b)];
    });

    // The day's copy would not hold today's earlier changes: this one holds
    // the log just before the import.
    const Statut copie = Sauvegardes(m_dossier, *m_horloge).sauvegardeMaintenant(m_indicatif);
    if (!copie)
        return Statut::enEchec(copie.message + QStringLiteral(" Rien n'a été importé."));

    Ecriture ecriture(contenu, qsizetype(gardees.size()) * (longueur + 2));
    size_t suivante = 0;
    for (QByteArrayView l : contenu.lignes) {
        // A line whose date cannot be read has no place in time: passed over.
        const qint64 moment = momentQso(l);
        while (moment >= 0 && suivante < gardees.size() &&
               moments[size_t(gardees[suivante])] <= moment)
            ecriture.ajoute(nouvelle(gardees[suivante++]));
        ecriture.ajoute(l);
    }
    while (suivante < gardees.size())
        ecriture.ajoute(nouvelle(gardees[suivante++]));
    const Statut ecrit = this->ecrit(contenu, ecriture.octets(), fichierTravailChrono);
    if (ecrit)
        fusion->ajoutees = qsizetype(gardees.size());
    return ecrit;
}
