#include "Importation.h"

#include "core/log/FirstNameMemory.h"
#include "core/log/IndexQso.h"
#include "core/log/RegistreMoulins.h"
#include "core/log/StationLog.h"
#include "core/log/Texte.h"
#include "core/platform/Cp1252.h"
#include "core/platform/FichierTexte.h"
#include "core/platform/Horloge.h"
#include "core/platform/Progression.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <utility>

namespace Importation {

namespace {

// Where the import stands, in thousandths: the first reading of the file
// (whether it is UTF-8) up to 300, the reading of its records up to 900,
// the rewrite of the log and the first names up to the end.
constexpr qint64 kTotal = 1000;
constexpr qint64 kVerifie = 300;
constexpr qint64 kLu = 900;

class Suivi {
public:
    explicit Suivi(Progression* progression) : m_progression(progression) {}
    void avance(qint64 fait)
    {
        if (m_progression && fait != m_fait) {
            m_fait = fait;
            m_progression->avance(fait, kTotal);
        }
    }
    bool annulee() const { return m_progression && m_progression->annulee(); }

private:
    Progression* m_progression;
    qint64 m_fait = -1;
};

// Reads the open file from its start a block at a time; lu(bloc, fin)
// gets each block and where it ends in the file, and stops the reading by
// returning false.
Statut litParBlocs(QFile& fichier, const QString& chemin,
                   const std::function<bool(QByteArrayView bloc, qint64 fin)>& lu)
{
    constexpr qint64 kBloc = 256 * 1024;
    if (!fichier.seek(0))
        return FichierTexte::lectureRatee(chemin);
    QByteArray bloc(kBloc, Qt::Uninitialized);
    qint64 position = 0;
    for (;;) {
        errno = 0;
        const qint64 n = fichier.read(bloc.data(), kBloc);
        if (n < 0)
            return FichierTexte::lectureRatee(chemin);
        if (n == 0)
            return Statut::valide();
        position += n;
        if (!lu(QByteArrayView(bloc.constData(), n), position))
            return Statut::valide();
    }
}

// The first-name memory's line of a stored line (callsign, department,
// first name); empty when the QSO has no first name.
QString prenomDe(QByteArrayView ligne)
{
    const QString texte = Cp1252::decode1252(ligne.data(), ligne.size());
    const QString prenom = LogLine::champ(texte, LogLine::Prenom).trimmed();
    if (prenom.isEmpty())
        return QString();
    return FirstNameMemory::formeLigne(LogLine::champ(texte, LogLine::Indicatif).trimmed(),
                                       LogLine::champ(texte, LogLine::Departement).trimmed(),
                                       prenom);
}

} // namespace

Bilan importeFichier(const QString& dossier, const QString& indicatif, const QString& cheminAdi,
                     const Horloge& horloge, Progression* progression)
{
    Bilan bilan;
    bilan.fichier = QFileInfo(cheminAdi).fileName();
    Suivi suivi(progression);
    const auto annule = [&bilan] {
        bilan.annule = true;
        return bilan;
    };
    QFile fichier;
    bilan.statut = FichierTexte::ouvreEnLecture(cheminAdi, &fichier);
    if (!bilan.statut)
        return bilan;
    const qint64 taille = qMax<qint64>(fichier.size(), 1);

    // Whether the file is UTF-8 is known from the whole file only.
    Adif::VerificationUtf8 verification;
    bilan.statut = litParBlocs(fichier, cheminAdi, [&](QByteArrayView bloc, qint64 fin) {
        verification.ajoute(bloc);
        suivi.avance(qMin(fin, taille) * kVerifie / taille);
        return !suivi.annulee();
    });
    if (!bilan.statut)
        return bilan;
    if (suivi.annulee())
        return annule();
    const bool utf8 = verification.valide();

    StationLog log(dossier, indicatif, &horloge);
    constexpr qsizetype longueur = LogLine::Longueur;
    // The QSOs to add, in the log's code page, one after the other; and
    // those whose first names are learned (added or already in the log), by
    // their moment and place in the file.
    QByteArray ajoutees;
    QByteArray doublons;
    struct Prenom {
        qint64 moment;
        qsizetype ligne; // in ajoutees, or in doublons after ~
    };
    std::vector<Prenom> prenoms;
    {
        QByteArray octetsLog;
        bilan.statut = log.litOctets(&octetsLog);
        if (!bilan.statut)
            return bilan;
        std::vector<QByteArrayView> lignesLog;
        FichierTexte::parcourtLignes(
            octetsLog.constData(), octetsLog.size(),
            [&lignesLog](const char* donnees, qsizetype n) { lignesLog.emplace_back(donnees, n); });
        // The log's lines, then the file's QSOs to add.
        const qsizetype dansLeLog = qsizetype(lignesLog.size());
        const auto ligne = [&](qsizetype i) {
            return i < dansLeLog
                       ? lignesLog[size_t(i)]
                       : QByteArrayView(ajoutees).sliced((i - dansLeLog) * longueur, longueur);
        };
        IndexQso connus(ligne);
        connus.reserve(dansLeLog);
        RegistreMoulins moulins;
        for (qsizetype i = 0; i < dansLeLog; ++i) {
            connus.ajoute(i);
            moulins.ajouteLigne(lignesLog[size_t(i)]);
        }

        QSet<QString> raisons; // one text for the records skipped for the same reason
        const auto rejette = [&](const QString& raison, const QString& texte) {
            bilan.rejets.push_back({bilan.enregistrements, *raisons.insert(raison), texte});
        };
        Adif::Lecteur lecteur(utf8);
        const auto visite = [&](const Adif::Enregistrement& e) {
            ++bilan.enregistrements;
            const Qso q = convertit(e);
            if (!q.raison.isEmpty())
                return rejette(q.raison, e.texte);
            const LogLine::Formee f = LogLine::forme(q.champs);
            QByteArray octets;
            if (!f.valide() || !Cp1252::encode1252(f.ligne, &octets) || octets.size() != longueur)
                return rejette(f.valide() ? QStringLiteral("Ligne de log impossible à former")
                                          : f.erreur,
                               e.texte);
            const qint64 moment = StationLog::momentQso(octets);
            if (connus.contient(octets)) {
                ++bilan.doublons;
                prenoms.push_back({moment, ~(doublons.size() / longueur)});
                doublons.append(octets);
                return;
            }
            const RegistreMoulins::Premier premier =
                moulins.premier(q.champs.reference, groupeDe(q.champs.bande));
            if (premier.trouve())
                return rejette(raisonMoulinDejaContacte(premier.date, premier.bande), e.texte);
            const qsizetype numero = dansLeLog + ajoutees.size() / longueur;
            prenoms.push_back({moment, ajoutees.size() / longueur});
            ajoutees.append(octets);
            connus.ajoute(numero);
            moulins.ajouteLigne(octets);
            if (!q.adaptations.isEmpty())
                bilan.adaptes.push_back(
                    {bilan.enregistrements, q.adaptations.join(QStringLiteral(" ; "))});
        };
        bilan.statut = litParBlocs(fichier, cheminAdi, [&](QByteArrayView bloc, qint64 fin) {
            lecteur.ajoute(bloc, visite);
            suivi.avance(kVerifie + qMin(fin, taille) * (kLu - kVerifie) / taille);
            return !suivi.annulee();
        });
        if (!bilan.statut)
            return bilan;
        if (suivi.annulee())
            return annule();
        lecteur.termine(visite);
        if (lecteur.tronque()) {
            bilan.tronque = true;
            bilan.rejets.push_back({bilan.enregistrements + 1,
                                    QStringLiteral("Enregistrement coupé par la fin du fichier "
                                                   "(fichier tronqué)"),
                                    lecteur.texteTronque()});
        }
    }
    fichier.close();
    if (suivi.annulee())
        return annule();

    // From here on the import goes to its end: the log is rewritten once.
    if (!ajoutees.isEmpty()) {
        StationLog::Fusion fusion;
        bilan.statut = log.fusionneLignes(ajoutees, &fusion);
        if (!bilan.statut)
            return bilan;
        bilan.importes = fusion.ajoutees;
        // The log changed since it was read: those are already in it.
        bilan.doublons += qsizetype(fusion.doublons.size());
    }
    suivi.avance(kLu + (kTotal - kLu) / 2);

    // The first names of the file's QSOs, added or already in the log, in
    // date order: the last QSO of a callsign gives its name, a QSO without
    // a first name leaves the one remembered as it is. A memory that a
    // stop between the two rewrites left behind the log is so mended by
    // importing the file again.
    std::stable_sort(prenoms.begin(), prenoms.end(),
                     [](const Prenom& a, const Prenom& b) { return a.moment < b.moment; });
    QByteArray apprendre;
    for (const Prenom& p : prenoms) {
        const QByteArrayView l =
            p.ligne >= 0 ? QByteArrayView(ajoutees).sliced(p.ligne * longueur, longueur)
                         : QByteArrayView(doublons).sliced(~p.ligne * longueur, longueur);
        QByteArray prenom;
        // From a line of the log: the memory's code page holds it.
        if (Cp1252::encode1252(prenomDe(l), &prenom) && !prenom.isEmpty()) {
            apprendre += prenom;
            apprendre += FichierTexte::finLigne.data();
        }
    }
    prenoms = {};
    ajoutees.clear();
    doublons.clear();
    if (!apprendre.isEmpty())
        bilan.statutPrenoms = FirstNameMemory(dossier).memoriseLignes(apprendre);

    if (!bilan.rejets.empty() || !bilan.adaptes.empty()) {
        bilan.statutRapport = ecritRapport(dossier, indicatif, cheminAdi, bilan, horloge);
        if (bilan.statutRapport)
            bilan.rapport = nomRapport(indicatif);
    }
    suivi.avance(kTotal);
    return bilan;
}

} // namespace Importation
