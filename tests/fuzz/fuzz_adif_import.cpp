// The reading of an ADI file from another program and the QSOs made of its
// records: every record and field lies within the text, in order; a record
// that becomes a QSO makes a whole stored line that the checks of a typed QSO
// accept and that the export writes back as the same QSO; the import never
// writes a line that is not one of those, nor the same QSO twice.
//
// Input: one byte of options (both low bits set: the file is also imported
// into a log on disk; the six others, plus one, the size of the pieces in
// which the file is also given to the reader), then the bytes of the ADI
// file.

#include "Aleatoire.h"

#include "core/entry/ReglesChamps.h"
#include "core/exchange/Adif.h"
#include "core/exchange/Importation.h"
#include "core/exchange/Lecture.h"
#include "core/log/LogLine.h"
#include "core/log/ReferenceMoulin.h"
#include "core/log/StationLog.h"
#include "core/platform/FichierTexte.h"
#include "core/platform/Horloge.h"

#include <QDir>
#include <QFile>
#include <QSet>

#include <utility>
#include <vector>

namespace {

void verifieLecture(const Adif::Lecture& l)
{
    qsizetype avant = 0;
    for (const Adif::Enregistrement& e : l.enregistrements) {
        FUZZ_CHECK(!e.champs.empty());
        FUZZ_CHECK(e.debut >= avant && e.debut < e.fin);
        FUZZ_CHECK(e.texte.size() == e.fin - e.debut);
        const QChar* debut = e.texte.constData();
        for (const Adif::Champ& c : e.champs) {
            FUZZ_CHECK(!c.nom.isEmpty());
            FUZZ_CHECK(c.nom.data() > debut &&
                       c.nom.data() + c.nom.size() < debut + e.texte.size());
            FUZZ_CHECK(c.valeur.data() >= debut &&
                       c.valeur.data() + c.valeur.size() <= debut + e.texte.size());
        }
        avant = e.fin;
    }
    if (l.tronque)
        FUZZ_CHECK(l.debutTronque >= avant && !l.texteTronque.isEmpty());
}

// The records do not depend on where the pieces of the file given to the
// reader are cut.
void verifieMorceaux(const Adif::Lecture& l, const QByteArray& fichier, qsizetype morceau)
{
    const Adif::Lecture m = Adif::litOctets(fichier, morceau);
    FUZZ_CHECK(m.utf8 == l.utf8 && m.tronque == l.tronque);
    FUZZ_CHECK(m.debutTronque == l.debutTronque && m.texteTronque == l.texteTronque);
    FUZZ_CHECK(m.enregistrements.size() == l.enregistrements.size());
    for (size_t i = 0; i < m.enregistrements.size(); ++i) {
        const Adif::Enregistrement& a = m.enregistrements[i];
        const Adif::Enregistrement& b = l.enregistrements[i];
        FUZZ_CHECK(a.texte == b.texte && a.debut == b.debut && a.fin == b.fin);
        FUZZ_CHECK(a.champs.size() == b.champs.size());
        for (size_t k = 0; k < a.champs.size(); ++k) {
            FUZZ_CHECK(a.champs[k].nom == b.champs[k].nom);
            FUZZ_CHECK(a.champs[k].valeur == b.champs[k].valeur);
        }
    }
}

// The reading of the whole text at once, tag after tag, as plainly as it
// can be written: a "<" opens a tag when a ">" follows it before any other
// "<"; the value of a field is the number of characters its tag says. The
// reader must give the same records, fields and cut record.
struct RecordSimple {
    qsizetype debut = 0;
    qsizetype fin = 0;
    std::vector<std::pair<QString, QString>> champs;
};
struct LectureSimple {
    std::vector<RecordSimple> records;
    bool tronque = false;
    qsizetype debutTronque = 0;
    QString texteTronque;
};

LectureSimple litSimplement(const QByteArray& octets)
{
    LectureSimple l;
    bool utf8 = false;
    const QString texte = Adif::texteFichier(octets, &utf8);
    // n characters; in UTF-8, its first n bytes when a tag starts after
    // they are all read and before the n-th character.
    const auto caracteres = [&](qsizetype pos, qsizetype n) -> qsizetype {
        qsizetype i = pos;
        qsizetype octets = 0;
        qsizetype finOctets = -1;
        for (qsizetype k = 0; k < n; ++k) {
            if (i >= texte.size())
                return -1;
            if (finOctets >= 0 && texte.at(i) == QLatin1Char('<'))
                return finOctets;
            const bool paire = utf8 && texte.at(i).isHighSurrogate() && i + 1 < texte.size() &&
                               texte.at(i + 1).isLowSurrogate();
            const char16_t u = texte.at(i).unicode();
            octets += paire ? 4 : u < 0x80 ? 1 : u < 0x800 ? 2 : 3;
            i += paire ? 2 : 1;
            if (utf8 && finOctets < 0 && octets == n)
                finOctets = i;
        }
        return i;
    };
    bool entete = !texte.startsWith(QLatin1Char('<'));
    RecordSimple courant;
    qsizetype pos = texte.indexOf(QLatin1Char('<'));
    while (pos >= 0) {
        const qsizetype fin = texte.indexOf(QLatin1Char('>'), pos + 1);
        const QString dedans = fin < 0 ? QString() : texte.mid(pos + 1, fin - pos - 1);
        if (fin < 0 || dedans.isEmpty() || dedans.contains(QLatin1Char('<'))) {
            pos = texte.indexOf(QLatin1Char('<'), pos + 1);
            continue;
        }
        const QStringList morceaux = dedans.split(QLatin1Char(':'));
        if (morceaux.size() == 1) {
            if (dedans.compare(QLatin1String("eor"), Qt::CaseInsensitive) == 0) {
                entete = false;
                if (!courant.champs.empty()) {
                    courant.fin = fin + 1;
                    l.records.push_back(courant);
                }
                courant = RecordSimple();
            } else if (dedans.compare(QLatin1String("eoh"), Qt::CaseInsensitive) == 0) {
                entete = false;
                courant = RecordSimple();
            }
            pos = texte.indexOf(QLatin1Char('<'), fin + 1);
            continue;
        }
        const QString nom = morceaux.at(0);
        const QString longueur = morceaux.at(1);
        bool chiffres = !longueur.isEmpty() && longueur.size() <= 9;
        for (const QChar c : longueur)
            chiffres = chiffres && c >= QLatin1Char('0') && c <= QLatin1Char('9');
        if (nom.isEmpty() || nom.contains(QLatin1Char(' ')) || !chiffres) {
            pos = texte.indexOf(QLatin1Char('<'), pos + 1);
            continue;
        }
        if (courant.champs.empty())
            courant.debut = pos;
        const qsizetype finValeur = caracteres(fin + 1, longueur.toLongLong());
        if (finValeur < 0) {
            if (!entete) {
                l.tronque = true;
                l.debutTronque = courant.debut;
                l.texteTronque = texte.mid(courant.debut);
            }
            return l;
        }
        courant.champs.emplace_back(nom, texte.mid(fin + 1, finValeur - fin - 1));
        pos = texte.indexOf(QLatin1Char('<'), finValeur);
    }
    if (!entete && !courant.champs.empty()) {
        l.tronque = true;
        l.debutTronque = courant.debut;
        l.texteTronque = texte.mid(courant.debut);
    }
    return l;
}

void verifieSimple(const Adif::Lecture& l, const QByteArray& fichier)
{
    const LectureSimple s = litSimplement(fichier);
    FUZZ_CHECK(s.tronque == l.tronque && s.texteTronque == l.texteTronque);
    FUZZ_CHECK(!s.tronque || s.debutTronque == l.debutTronque);
    FUZZ_CHECK(s.records.size() == l.enregistrements.size());
    for (size_t i = 0; i < s.records.size(); ++i) {
        const Adif::Enregistrement& e = l.enregistrements[i];
        FUZZ_CHECK(s.records[i].debut == e.debut && s.records[i].fin == e.fin);
        FUZZ_CHECK(s.records[i].champs.size() == e.champs.size());
        for (size_t k = 0; k < e.champs.size(); ++k) {
            FUZZ_CHECK(s.records[i].champs[k].first == e.champs[k].nom);
            FUZZ_CHECK(s.records[i].champs[k].second == e.champs[k].valeur);
        }
    }
}

// The QSO made of a record is one that can be typed; when its text is ASCII
// it goes through the export and back unchanged.
void verifieQso(const LogLine::Champs& c)
{
    const LogLine::Formee f = LogLine::forme(c);
    FUZZ_CHECK(f.valide() && f.ligne.size() == LogLine::Longueur);
    FUZZ_CHECK(ReglesChamps::controleQso(c).isEmpty());
    FUZZ_CHECK(ReferenceMoulin::referenceValide(c.reference));
    FUZZ_CHECK(c.reference.left(2) == c.departement);
    if (Adif::enAscii(f.ligne) != f.ligne)
        return;
    const Adif::Lecture relue = Adif::litOctets(Adif::ADIF_SP(f.ligne).toLatin1());
    FUZZ_CHECK(relue.enregistrements.size() == 1 && !relue.tronque);
    const Importation::Qso q = Importation::convertit(relue.enregistrements.front());
    FUZZ_CHECK(q.raison.isEmpty());
    FUZZ_CHECK(LogLine::forme(q.champs).ligne == f.ligne);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t tailleDonnees)
{
    if (tailleDonnees < 1)
        return 0;
    const QByteArray fichier(reinterpret_cast<const char*>(donnees + 1),
                             qsizetype(tailleDonnees - 1));
    const Adif::Lecture lecture = Adif::litOctets(fichier);
    verifieLecture(lecture);
    verifieMorceaux(lecture, fichier, (donnees[0] >> 2) + 1);
    // The plain reading looks at the rest of the text from every "<".
    if (fichier.size() <= 4096)
        verifieSimple(lecture, fichier);

    QSet<QByteArray> lignes;
    for (const Adif::Enregistrement& e : lecture.enregistrements) {
        const Importation::Qso q = Importation::convertit(e);
        if (!q.raison.isEmpty())
            continue;
        verifieQso(q.champs);
        QByteArray octets;
        FUZZ_CHECK(Cp1252::encode1252(LogLine::forme(q.champs).ligne, &octets));
        lignes.insert(octets);
    }

    if ((donnees[0] & 3) != 3)
        return 0;
    const QString dossier = Aleatoire::dossier();
    const QString log = QDir(dossier).filePath(StationLog::nomFichier(QStringLiteral("F5ABC")));
    Aleatoire::ecrit(log, QByteArray());
    Aleatoire::ecrit(QDir(dossier).filePath(QStringLiteral("entree.adi")), fichier);
    const HorlogeSysteme horloge;
    const Importation::Bilan b =
        Importation::importeFichier(dossier, QStringLiteral("F5ABC"),
                                    QDir(dossier).filePath(QStringLiteral("entree.adi")), horloge);
    FUZZ_CHECK(b.statut.estOk());
    FUZZ_CHECK(b.importes + b.doublons + qsizetype(b.rejets.size()) ==
               b.enregistrements + (b.tronque ? 1 : 0));
    QSet<QByteArray> cles;
    qsizetype n = 0;
    FichierTexte::pourChaqueLigne(Aleatoire::lit(log), [&](const char* d, qsizetype taille) {
        const QByteArray ligne(d, taille);
        FUZZ_CHECK(lignes.contains(ligne));
        FUZZ_CHECK(!cles.contains(StationLog::cleQso(ligne)));
        cles.insert(StationLog::cleQso(ligne));
        ++n;
    });
    FUZZ_CHECK(n == b.importes);
    const QDir d(dossier);
    for (const QString& nom : d.entryList(QDir::Files))
        QFile::remove(d.filePath(nom));
    QDir(d.filePath(QStringLiteral("Sauvegardes"))).removeRecursively();
    return 0;
}
