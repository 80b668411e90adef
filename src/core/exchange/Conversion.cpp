// The QSO of one ADIF record, as the import stores it.

#include "Importation.h"

#include "core/entry/ReglesChamps.h"
#include "core/log/FirstNameMemory.h"
#include "core/log/Groupe.h"
#include "core/log/ModesLog.h"
#include "core/log/ReferenceMoulin.h"
#include "core/log/Texte.h"
#include "core/platform/Cp1252.h"

#include <QDate>
#include <QLocale>

namespace Importation {

namespace {

const QString kReportParDefaut = QStringLiteral("59");

// Each line break or other control character of the text replaced by c.
QString controlesEn(QString texte, QChar c)
{
    for (qsizetype i = Texte::premierControle(texte); i >= 0; i = Texte::premierControle(texte))
        texte[i] = c;
    return texte;
}

// A value of the file as the report line shows it: a line break or other
// control character as "?", so that the line stays one line.
QString montre(const QString& texte)
{
    return Texte::entreGuillemets(controlesEn(texte, QLatin1Char('?')));
}

QString valeur(const Adif::Enregistrement& e, const char* nom)
{
    return e.valeur(QLatin1StringView(nom)).trimmed().toString();
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
        texte.size() == 8 && Texte::chiffres(texte)
            ? QDate(texte.left(4).toInt(), texte.mid(4, 2).toInt(), texte.right(2).toInt())
            : QDate();
    if (!d.isValid()) {
        *raison = QStringLiteral("Date QSO_DATE %1 invalide (AAAAMMJJ attendu)")
                      .arg(Texte::entreGuillemets(texte));
        return QString();
    }
    if (LogLine::annee(d.year() % 100) != d.year()) {
        *raison = QStringLiteral("Date QSO_DATE %1 hors des années 1950 à 2049 que le log "
                                 "enregistre")
                      .arg(Texte::entreGuillemets(texte));
        return QString();
    }
    return d.toString(QStringLiteral("dd/MM/yy"));
}

QString heure(const QString& texte, QString* raison)
{
    const bool forme = (texte.size() == 4 || texte.size() == 6) && Texte::chiffres(texte);
    if (!forme || texte.left(2).toInt() > 23 || texte.mid(2, 2).toInt() > 59 ||
        texte.mid(4).toInt() > 59) {
        *raison = QStringLiteral("Heure TIME_ON %1 invalide (HHMM attendu)")
                      .arg(Texte::entreGuillemets(texte));
        return QString();
    }
    return texte.left(2) + QLatin1Char(':') + texte.mid(2, 2);
}

// The log's short form (ModesLog) of SUBMODE when it has one, otherwise of
// MODE ("MFSK" and "FT4" give "FT4", "RTTY" gives "RTY"); a mode shortened
// is said, a sideband taken as SSB is not.
QString mode(const QString& brut, const QString& sousMode, QString* raison,
             QStringList* adaptations)
{
    if (brut.isEmpty()) {
        *raison = absent("MODE");
        return QString();
    }
    const QString sous = ModesLog::court(sousMode);
    const QString m = sous.isEmpty() ? ModesLog::court(brut) : sous;
    if (m.isEmpty()) {
        *raison =
            QStringLiteral("Mode %1 de plus de 3 caractères").arg(Texte::entreGuillemets(brut));
        return QString();
    }
    if (m == brut.toUpper() || (m == QLatin1String("SSB") && ModesLog::court(brut) == m))
        return m;
    if (sous.isEmpty())
        adaptations->append(QStringLiteral("MODE %1 enregistré comme %2")
                                .arg(montre(brut), Texte::entreGuillemets(m)));
    else
        adaptations->append(QStringLiteral("MODE %1 et SUBMODE %2 enregistrés comme %3")
                                .arg(montre(brut), montre(sousMode), Texte::entreGuillemets(m)));
    return m;
}

QString bande(const Adif::Enregistrement& e, QString* raison)
{
    const QString nom = valeur(e, "BAND");
    if (!nom.isEmpty()) {
        if (const DefinitionBande* b = definitionAdif(nom))
            return QString::fromUtf16(b->libelle);
        *raison = QStringLiteral("Bande BAND %1 absente de la liste des bandes")
                      .arg(Texte::entreGuillemets(nom));
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
                  .arg(Texte::entreGuillemets(frequence));
    return QString();
}

// The reference and windmill name of either convention; false when the
// record holds no windmill reference. With SIG "KZT", SIG_INFO is read as
// the windmill hunt reads a spot ("77-121", "KZT 77121"...); without SIG,
// only when SIG_INFO itself says KZT ("KZT 77121", "kzt-77121").
bool moulin(const Adif::Enregistrement& e, QString* reference, QString* nom,
            QStringList* adaptations)
{
    const QString sig = valeur(e, "SIG");
    const QString infos = valeur(e, "SIG_INFO");
    const bool kzt = sig.compare(QLatin1String("KZT"), Qt::CaseInsensitive) == 0;
    if (kzt || (sig.isEmpty() && !ReferenceMoulin::lue(infos).isEmpty())) {
        *reference = ReferenceMoulin::lue(infos, kzt);
        nom->clear();
        if (!reference->isEmpty() && *reference != infos)
            adaptations->append(QStringLiteral("SIG_INFO %1 lu comme la référence %2")
                                    .arg(montre(infos), Texte::entreGuillemets(*reference)));
    } else {
        *reference = sig.toLower();
        *nom = infos;
    }
    return ReferenceMoulin::referenceValide(*reference);
}

// A line break or other control character in a free text becomes a blank.
QString sansControles(const QString& texte)
{
    return controlesEn(texte, QLatin1Char(' ')).simplified();
}

// The first name as the entry would take it (FirstNameMemory::prenomDe),
// each change said in the report.
QString prenom(const QString& nom, QStringList* adaptations)
{
    bool codable = true;
    const QString p = FirstNameMemory::prenomDe(nom, &codable);
    if (!codable) {
        adaptations->append(QStringLiteral("NAME %1 que le log ne peut pas enregistrer : pas de "
                                           "prénom")
                                .arg(montre(nom)));
        return QString();
    }
    if (p != Cp1252::majusculesCp1252(nom))
        adaptations->append(QStringLiteral("NAME %1 pris comme prénom %2")
                                .arg(montre(nom), Texte::entreGuillemets(p)));
    return p;
}

// The windmill name without what the log cannot hold: control characters
// as blanks, other characters as "?", cut to the field.
QString nomMoulin(const QString& nom, QStringList* adaptations)
{
    QString n = sansControles(nom);
    for (QChar& c : n) {
        if (!Cp1252::estCodable(c))
            c = QLatin1Char('?');
    }
    n = n.left(LogLine::Nom_Moulin.largeur).trimmed();
    if (n != nom)
        adaptations->append(QStringLiteral("nom du moulin %1 enregistré comme %2")
                                .arg(montre(nom), Texte::entreGuillemets(n)));
    return n;
}

// A report the entry takes; otherwise the entry's own default, "59".
QString report(const Adif::Enregistrement& e, const char* nom, QStringList* adaptations)
{
    const QString r = valeur(e, nom);
    if (r.isEmpty()) {
        adaptations->append(
            QStringLiteral("%1 absent : %2")
                .arg(QLatin1StringView(nom), Texte::entreGuillemets(kReportParDefaut)));
        return kReportParDefaut;
    }
    if (!ReglesChamps::controleReport(r).isEmpty() || Texte::premierControle(r) >= 0) {
        adaptations->append(
            QStringLiteral("%1 %2 remplacé par %3")
                .arg(QLatin1StringView(nom), montre(r), Texte::entreGuillemets(kReportParDefaut)));
        return kReportParDefaut;
    }
    return r;
}

} // namespace

Qso convertit(const Adif::Enregistrement& e)
{
    Qso q;
    LogLine::Champs& c = q.champs;
    QString& raison = q.raison;
    QStringList& adaptations = q.adaptations;
    if (!moulin(e, &c.reference, &c.nomMoulin, &adaptations)) {
        raison = QStringLiteral("Pas de référence de moulin KZT (SIG, SIG_INFO) : pas un QSO du "
                                "diplôme");
        return q;
    }
    // The station was at the windmill: its reference gives the department.
    c.departement = c.reference.left(2);
    const QString etat = valeur(e, "STATE");
    if (!etat.isEmpty() && etat.toLower() != c.departement)
        adaptations.append(QStringLiteral("STATE %1 remplacé par le département %2 de la référence")
                               .arg(montre(etat), Texte::entreGuillemets(c.departement)));

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
        c.mode = mode(valeur(e, "MODE"), valeur(e, "SUBMODE"), &raison, &adaptations);
    if (raison.isEmpty())
        c.bande = bande(e, &raison);
    if (!raison.isEmpty())
        return q;

    c.rstRecu = report(e, "RST_RCVD", &adaptations);
    c.rstEnvoye = report(e, "RST_SENT", &adaptations);
    c.prenom = prenom(valeur(e, "NAME"), &adaptations);
    if (!c.nomMoulin.isEmpty())
        c.nomMoulin = nomMoulin(c.nomMoulin, &adaptations);
    const QString qsl = valeur(e, "QSL_RCVD").toUpper();
    c.qsl = qsl == QLatin1String("Y") || qsl == QLatin1String("V");
    raison = ReglesChamps::controleQso(c);
    return q;
}

} // namespace Importation
