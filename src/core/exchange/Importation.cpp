#include "Importation.h"

#include "core/awards/CarteDepartements.h"
#include "core/entry/ReglesChamps.h"
#include "core/log/FirstNameMemory.h"
#include "core/log/Groupe.h"
#include "core/log/StationLog.h"
#include "core/log/Texte.h"
#include "core/platform/Cp1252.h"
#include "core/platform/FichierTexte.h"
#include "core/platform/Horloge.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>
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

Statut ecritRapport(const QString& dossier, const QString& indicatif, const QString& cheminAdi,
                    const Bilan& bilan, const Horloge& horloge)
{
    const QDateTime maintenant = horloge.localMaintenant();
    QString texte = QStringLiteral("Importation du fichier %1 dans le log %2, le %3 à %4")
                        .arg(entreGuillemets(QDir::toNativeSeparators(cheminAdi)),
                             entreGuillemets(StationLog::nomFichier(indicatif)),
                             maintenant.toString(QStringLiteral("dd/MM/yyyy")),
                             maintenant.toString(QStringLiteral("HH:mm"))) +
                    finLigne +
                    QStringLiteral("Enregistrements ignorés : %1").arg(bilan.rejets.size()) +
                    finLigne;
    for (const Rejet& r : bilan.rejets) {
        texte += finLigne + QStringLiteral("Enregistrement %1 : %2").arg(r.numero).arg(r.raison) +
                 finLigne + lignesCrLf(r.texte) + finLigne;
    }
    const QDir d(dossier);
    return FichierTexte::remplaceContenu(d.filePath(nomRapport(indicatif)),
                                         d.filePath(StationLog::fichierTravail), enCp1252(texte));
}

QString nombre(qsizetype n, const char* singulier, const char* pluriel)
{
    return QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(n > 1 ? pluriel : singulier));
}

} // namespace

Bilan importeFichier(const QString& dossier, const QString& indicatif, const QString& cheminAdi,
                     const Horloge& horloge)
{
    Bilan bilan;
    bilan.fichier = QFileInfo(cheminAdi).fileName();
    QByteArray octets;
    bilan.statut = FichierTexte::litTout(cheminAdi, &octets);
    if (!bilan.statut)
        return bilan;

    const Adif::Lecture lecture = Adif::litOctets(octets);
    QStringList lignes;
    QStringList prenoms;
    qsizetype numero = 0;
    for (const Adif::Enregistrement& e : lecture.enregistrements) {
        ++numero;
        const Qso q = convertit(e);
        if (!q.raison.isEmpty()) {
            bilan.rejets.push_back({numero, q.raison, e.texte});
            continue;
        }
        const LogLine::Formee f = LogLine::forme(q.champs);
        lignes.append(f.ligne);
        prenoms.append(
            FirstNameMemory::formeLigne(q.champs.indicatif, q.champs.departement,
                                        LogLine::champ(f.ligne, LogLine::Prenom).trimmed()));
    }
    bilan.enregistrements = numero;
    if (lecture.tronque) {
        bilan.tronque = true;
        bilan.rejets.push_back({numero + 1,
                                QStringLiteral("Enregistrement coupé par la fin du fichier "
                                               "(fichier tronqué)"),
                                lecture.texteTronque});
    }

    StationLog log(dossier, indicatif, &horloge);
    StationLog::Fusion fusion;
    bilan.statut = log.fusionneQso(lignes, &fusion);
    if (!bilan.statut)
        return bilan;
    bilan.importes = fusion.ajoutees;
    bilan.doublons = qsizetype(fusion.doublons.size());

    // The first names of the QSOs added, in date order as the log holds
    // them: the last QSO of a callsign gives its name. A QSO without a first
    // name leaves the one remembered as it is.
    std::vector<bool> doublon(size_t(lignes.size()), false);
    for (const qsizetype i : fusion.doublons)
        doublon[size_t(i)] = true;
    std::vector<std::pair<qint64, qsizetype>> ordre;
    for (qsizetype i = 0; i < lignes.size(); ++i) {
        if (!doublon[size_t(i)] && prenoms.at(i).size() > 16)
            ordre.emplace_back(StationLog::momentQso(lignes.at(i).toLatin1()), i);
    }
    std::stable_sort(ordre.begin(), ordre.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QStringList apprendre;
    for (const auto& [moment, i] : ordre)
        apprendre.append(prenoms.at(i));
    if (!apprendre.isEmpty() && bilan.importes > 0)
        bilan.statutPrenoms = FirstNameMemory(dossier).memorisePrenoms(apprendre);

    if (!bilan.rejets.empty()) {
        bilan.statutRapport = ecritRapport(dossier, indicatif, cheminAdi, bilan, horloge);
        if (bilan.statutRapport)
            bilan.rapport = nomRapport(indicatif);
    }
    return bilan;
}

QString Bilan::resume() const
{
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
