#include "Importation.h"

#include "core/awards/CarteDepartements.h"
#include "core/entry/ReglesChamps.h"
#include "core/log/FirstNameMemory.h"
#include "core/log/Groupe.h"
#include "core/log/IndexQso.h"
#include "core/log/StationLog.h"
#include "core/log/Texte.h"
#include "core/platform/Cp1252.h"
#include "core/platform/FichierTexte.h"
#include "core/platform/Horloge.h"
#include "core/platform/Progression.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <utility>

namespace Importation {

namespace {

using FichierTexte::finLigne;

QString entreGuillemets(const QString& texte)
{
    return QStringLiteral("« %1 »").arg(texte);
}

QString valeur(const Adif::Enregistrement& e, const char* nom)
{
    return e.valeur(QLatin1StringView(nom)).trimmed().toString();
}

bool chiffres(QStringView texte)
{
    for (const QChar c : texte) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

QString absent(const char* nom)
{
    return QStringLiteral("Champ %1 absent").arg(QLatin1StringView(nom));
}

// QSO_DATE as the log stores it, JJ/MM/AA; the log's two-digit years hold
// 1950 to 2049.
QString date(const QString& texte, QString* raison)
{
    const QDate d =
        texte.size() == 8 && chiffres(texte)
            ? QDate(texte.left(4).toInt(), texte.mid(4, 2).toInt(), texte.right(2).toInt())
            : QDate();
    if (!d.isValid()) {
        *raison = QStringLiteral("Date QSO_DATE %1 invalide (AAAAMMJJ attendu)")
                      .arg(entreGuillemets(texte));
        return QString();
    }
    if (LogLine::annee(d.year() % 100) != d.year()) {
        *raison = QStringLiteral("Date QSO_DATE %1 hors des années 1950 à 2049 que le log "
                                 "enregistre")
                      .arg(entreGuillemets(texte));
        return QString();
    }
    return d.toString(QStringLiteral("dd/MM/yy"));
}

QString heure(const QString& texte, QString* raison)
{
    const bool forme = (texte.size() == 4 || texte.size() == 6) && chiffres(texte);
    if (!forme || texte.left(2).toInt() > 23 || texte.mid(2, 2).toInt() > 59 ||
        texte.mid(4).toInt() > 59) {
        *raison =
            QStringLiteral("Heure TIME_ON %1 invalide (HHMM attendu)").arg(entreGuillemets(texte));
        return QString();
    }
    return texte.left(2) + QLatin1Char(':') + texte.mid(2, 2);
}

QString mode(const QString& brut, const QString& sousMode, QString* raison)
{
    const QString m = brut.toUpper();
    const QString sous = sousMode.toUpper();
    if (m.isEmpty()) {
        *raison = absent("MODE");
        return QString();
    }
    if (m == QLatin1String("SSB") || m == QLatin1String("USB") || m == QLatin1String("LSB") ||
        sous == QLatin1String("USB") || sous == QLatin1String("LSB"))
        return QStringLiteral("SSB");
    if (m.size() > LogLine::Mode.largeur) {
        *raison = QStringLiteral("Mode %1 de plus de 3 caractères").arg(entreGuillemets(brut));
        return QString();
    }
    return m;
}

QString bande(const Adif::Enregistrement& e, QString* raison)
{
    const QString nom = valeur(e, "BAND");
    if (!nom.isEmpty()) {
        if (const DefinitionBande* b = definitionAdif(nom))
            return QString::fromUtf16(b->libelle);
        *raison = QStringLiteral("Bande BAND %1 absente de la liste des bandes")
                      .arg(entreGuillemets(nom));
        return QString();
    }
    const QString frequence = valeur(e, "FREQ");
    if (frequence.isEmpty()) {
        *raison = QStringLiteral("Champs BAND et FREQ absents");
        return QString();
    }
    bool valide = false;
    const double mhz = QLocale::c().toDouble(frequence, &valide);
    if (const DefinitionBande* b = valide ? definitionFrequence(mhz) : nullptr)
        return QString::fromUtf16(b->libelle);
    *raison = QStringLiteral("Fréquence FREQ %1 hors des bandes de la liste")
                  .arg(entreGuillemets(frequence));
    return QString();
}

// The reference and windmill name of either convention; false when the
// record holds no windmill reference.
bool moulin(const Adif::Enregistrement& e, QString* reference, QString* nom)
{
    const QString sig = valeur(e, "SIG");
    const QString infos = valeur(e, "SIG_INFO");
    if (sig.compare(QLatin1String("KZT"), Qt::CaseInsensitive) == 0) {
        *reference = infos.toLower();
        nom->clear();
    } else {
        *reference = sig.toLower();
        *nom = infos;
    }
    return referenceValide(*reference);
}

} // namespace

QString nomRapport(const QString& indicatif)
{
    return indicatif + QStringLiteral("_KZT_import.txt");
}

bool departementValide(QStringView departement)
{
    if (departement.size() != 2)
        return false;
    const QByteArray octets = departement.toLatin1();
    const int n = CarteDepartements::caseDepartement(octets);
    const bool lettres = !chiffres(departement);
    // The boxes of Corsica follow 95: "96" is no department.
    const bool corse = n == CarteDepartements::case2A || n == CarteDepartements::case2B;
    return n > 0 && CarteDepartements::caseVisible(n) && corse == lettres &&
           departement == departement.toString().toLower();
}

bool referenceValide(QStringView reference)
{
    return reference.size() == 5 && departementValide(reference.first(2)) &&
           chiffres(reference.sliced(2));
}

Qso convertit(const Adif::Enregistrement& e)
{
    Qso q;
    LogLine::Champs& c = q.champs;
    QString& raison = q.raison;
    if (!moulin(e, &c.reference, &c.nomMoulin)) {
        raison = QStringLiteral("Pas de référence de moulin KZT (SIG, SIG_INFO) : pas un QSO du "
                                "diplôme");
        return q;
    }
    const QString etat = valeur(e, "STATE").toLower();
    c.departement = departementValide(etat) ? etat : c.reference.left(2);

    c.indicatif = Texte::majusculesTapees(valeur(e, "CALL"));
    if (c.indicatif.isEmpty())
        raison = absent("CALL");
    const QString d = valeur(e, "QSO_DATE");
    const QString h = valeur(e, "TIME_ON");
    if (raison.isEmpty())
        c.date = d.isEmpty() ? (raison = absent("QSO_DATE"), QString()) : date(d, &raison);
    if (raison.isEmpty())
        c.heure = h.isEmpty() ? (raison = absent("TIME_ON"), QString()) : heure(h, &raison);
    if (raison.isEmpty())
        c.mode = mode(valeur(e, "MODE"), valeur(e, "SUBMODE"), &raison);
    if (raison.isEmpty())
        c.bande = bande(e, &raison);
    c.rstRecu = valeur(e, "RST_RCVD");
    c.rstEnvoye = valeur(e, "RST_SENT");
    if (raison.isEmpty() && c.rstRecu.isEmpty())
        raison = absent("RST_RCVD");
    if (raison.isEmpty() && c.rstEnvoye.isEmpty())
        raison = absent("RST_SENT");
    if (!raison.isEmpty())
        return q;

    c.prenom = Cp1252::majusculesCp1252(valeur(e, "NAME"));
    const QString qsl = valeur(e, "QSL_RCVD").toUpper();
    c.qsl = qsl == QLatin1String("Y") || qsl == QLatin1String("V");
    raison = ReglesChamps::controleQso(c);
    return q;
}

namespace {

// The text in the log's code page, a character it cannot hold as "?".
QByteArray enCp1252(const QString& texte)
{
    QByteArray octets;
    if (Cp1252::encode1252(texte, &octets))
        return octets;
    QString simple = texte;
    for (QChar& c : simple) {
        if (!Cp1252::estCodable(c))
            c = QLatin1Char('?');
    }
    Cp1252::encode1252(simple, &octets);
    return octets;
}

// The record's text with CR LF line ends.
QString lignesCrLf(QStringView texte)
{
    QString t = texte.toString();
    t.replace(finLigne, QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    t.replace(QLatin1Char('\n'), finLigne);
    return t;
}

// Appends the record's text with CR LF line ends, in the log's code page, a
// piece at a time: a record cut by the end of a big file may hold most of
// it, and is never copied whole once more.
void ajouteTexte(QByteArray* octets, QStringView texte)
{
    constexpr qsizetype kMorceau = 64 * 1024;
    for (qsizetype i = 0; i < texte.size();) {
        qsizetype n = qMin(kMorceau, texte.size() - i);
        // A CR LF stays one line end.
        if (i + n < texte.size() && texte.at(i + n - 1) == QLatin1Char('\r'))
            ++n;
        *octets += enCp1252(lignesCrLf(texte.sliced(i, n)));
        i += n;
    }
}

Statut ecritRapport(const QString& dossier, const QString& indicatif, const QString& cheminAdi,
                    const Bilan& bilan, const Horloge& horloge)
{
    const QDateTime maintenant = horloge.localMaintenant();
    QByteArray octets = enCp1252(
        QStringLiteral("Importation du fichier %1 dans le log %2, le %3 à %4")
            .arg(entreGuillemets(QDir::toNativeSeparators(cheminAdi)),
                 entreGuillemets(StationLog::nomFichier(indicatif)),
                 maintenant.toString(QStringLiteral("dd/MM/yyyy")),
                 maintenant.toString(QStringLiteral("HH:mm"))) +
        finLigne + QStringLiteral("Enregistrements ignorés : %1").arg(bilan.rejets.size()) +
        finLigne);
    for (const Rejet& r : bilan.rejets) {
        octets += enCp1252(finLigne +
                           QStringLiteral("Enregistrement %1 : %2").arg(r.numero).arg(r.raison) +
                           finLigne);
        ajouteTexte(&octets, r.texte);
        octets += finLigne.data();
    }
    const QDir d(dossier);
    return FichierTexte::remplaceContenu(d.filePath(nomRapport(indicatif)),
                                         d.filePath(StationLog::fichierTravail), octets);
}

QString nombre(qsizetype n, const char* singulier, const char* pluriel)
{
    return QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(n > 1 ? pluriel : singulier));
}

} // namespace

QString raisonMoulinDejaContacte(const QString& date, const QString& bande)
{
    return QStringLiteral("moulin déjà contacté dans ce groupe le %1 sur %2").arg(date, bande);
}

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

// The windmills already contacted: for each reference and band group, the
// first QSO that has it, in the order of the log and then of the file. One
// place for each reference a department may have in each group.
class IndexMoulins {
public:
    IndexMoulins() : m_premier(size_t(CarteDepartements::nombreCases) * 1000 * 3, -1) {}

    // The place of a reference in a group; -1 for a band in no group, or a
    // text that is no reference as the log stores it.
    static qsizetype place(QStringView reference, Groupe groupe)
    {
        if (groupe == Groupe::Aucun || !referenceValide(reference))
            return -1;
        const int departement = CarteDepartements::caseDepartement(reference.first(2).toLatin1());
        const int numero = reference.sliced(2).toInt();
        return (qsizetype(departement) * 1000 + numero) * 3 + (int(groupe) - int(Groupe::HF));
    }
    // The place of the windmill of a stored line.
    static qsizetype place(QByteArrayView ligne)
    {
        const auto champ = [ligne](LogLine::Colonne c) {
            const qsizetype debut = c.debut - 1;
            return debut < ligne.size()
                       ? QString::fromLatin1(
                             ligne.sliced(debut, qMin<qsizetype>(c.largeur, ligne.size() - debut)))
                       : QString();
        };
        return place(champ(LogLine::Reference), groupeDe(champ(LogLine::Bande)));
    }

    // The line of the first QSO of that place; -1 when none.
    qsizetype premier(qsizetype place) const { return m_premier[size_t(place)]; }
    void note(qsizetype place, qsizetype ligne)
    {
        if (m_premier[size_t(place)] < 0)
            m_premier[size_t(place)] = qint32(ligne);
    }

private:
    std::vector<qint32> m_premier;
};

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
        IndexMoulins moulins;
        for (qsizetype i = 0; i < dansLeLog; ++i) {
            connus.ajoute(i);
            const qsizetype place = IndexMoulins::place(lignesLog[size_t(i)]);
            if (place >= 0)
                moulins.note(place, i);
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
            const qsizetype place =
                IndexMoulins::place(q.champs.reference, groupeDe(q.champs.bande));
            if (place >= 0 && moulins.premier(place) >= 0) {
                const QByteArrayView premier = ligne(moulins.premier(place));
                const QString texte = Cp1252::decode1252(premier.data(), premier.size());
                return rejette(raisonMoulinDejaContacte(
                                   LogLine::champ(texte, LogLine::Date),
                                   Texte::sansBlancs(LogLine::champ(texte, LogLine::Bande))),
                               e.texte);
            }
            const qsizetype numero = dansLeLog + ajoutees.size() / longueur;
            prenoms.push_back({moment, ajoutees.size() / longueur});
            ajoutees.append(octets);
            connus.ajoute(numero);
            if (place >= 0)
                moulins.note(place, numero);
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
            apprendre += finLigne.data();
        }
    }
    prenoms = {};
    ajoutees.clear();
    doublons.clear();
    if (!apprendre.isEmpty())
        bilan.statutPrenoms = FirstNameMemory(dossier).memoriseLignes(apprendre);

    if (!bilan.rejets.empty()) {
        bilan.statutRapport = ecritRapport(dossier, indicatif, cheminAdi, bilan, horloge);
        if (bilan.statutRapport)
            bilan.rapport = nomRapport(indicatif);
    }
    suivi.avance(kTotal);
    return bilan;
}

QString Bilan::resume() const
{
    if (annule) {
        return QStringLiteral("L'importation du fichier %1 a été arrêtée : rien n'a été importé, "
                              "le log n'a pas été modifié.")
            .arg(entreGuillemets(fichier));
    }
    if (!statut) {
        return QStringLiteral("L'importation du fichier %1 n'a pas pu se faire :")
                   .arg(entreGuillemets(fichier)) +
               finLigne + finLigne + statut.message;
    }
    QString texte =
        QStringLiteral("Importation du fichier %1 :").arg(entreGuillemets(fichier)) + finLigne +
        finLigne + nombre(importes, "QSO importé", "QSO importés") + finLigne +
        nombre(doublons, "doublon (QSO déjà dans le log) ignoré",
               "doublons (QSO déjà dans le log) ignorés") +
        finLigne +
        nombre(qsizetype(rejets.size()), "enregistrement ignoré", "enregistrements ignorés");
    // The reasons, each with its count, in the order they first came.
    QStringList raisons;
    QList<qsizetype> comptes;
    for (const Rejet& r : rejets) {
        const qsizetype i = raisons.indexOf(r.raison);
        if (i >= 0) {
            ++comptes[i];
        } else {
            raisons.append(r.raison);
            comptes.append(1);
        }
    }
    texte += raisons.isEmpty() ? QStringLiteral(".") : QStringLiteral(" :");
    constexpr qsizetype kMontrees = 10;
    for (qsizetype i = 0; i < raisons.size() && i < kMontrees; ++i)
        texte += finLigne + QStringLiteral("   %1 × %2").arg(comptes.at(i)).arg(raisons.at(i));
    if (raisons.size() > kMontrees)
        texte += finLigne + QStringLiteral("   et ") +
                 nombre(raisons.size() - kMontrees, "autre raison", "autres raisons");
    if (tronque) {
        texte += finLigne + finLigne +
                 QStringLiteral("Le fichier se termine au milieu d'un enregistrement : ce dernier "
                                "enregistrement n'est pas importé.");
    }
    if (!rapport.isEmpty()) {
        texte += finLigne + finLigne +
                 QStringLiteral("Les enregistrements ignorés sont décrits dans le fichier %1.")
                     .arg(entreGuillemets(rapport));
    } else if (!statutRapport) {
        texte += finLigne + finLigne +
                 QStringLiteral("Le fichier des enregistrements ignorés n'a pas pu être écrit : %1")
                     .arg(statutRapport.message);
    }
    if (!statutPrenoms) {
        texte += finLigne + finLigne +
                 QStringLiteral("Les prénoms n'ont pas pu être mémorisés : %1")
                     .arg(statutPrenoms.message);
    }
    return texte;
}

} // namespace Importation
