// The ADIF export of any log: plain ASCII, a header ended by <eoh>, then one
// record a line of the log, each field's length the length of its value, so
// that any ADIF reader reads back the twelve fields of every QSO.
//
// Input: a byte giving the length of the station callsign (low four bits)
// and whether the export is also written to a file (next two bits both set),
// that callsign (Windows-1252), then the log's bytes.

#include "Aleatoire.h"

#include "core/exchange/Adif.h"
#include "core/log/LogLine.h"
#include "core/log/StationLog.h"
#include "core/platform/FichierTexte.h"

#include <QDir>
#include <QFile>

namespace {

const char* const kChamps[] = {"call", "STATE", "name",     "SIG",      "qso_date", "time_on",
                               "mode", "band",  "rst_rcvd", "rst_sent", "SIG_INFO", "QSL_RCVD"};

// Reads one record from pos (just after the line end of the one before);
// false when it is not twelve well-formed fields and <eor>.
bool litRecord(const QByteArray& sortie, qsizetype* pos)
{
    qsizetype p = *pos;
    for (const char* nom : kChamps) {
        const QByteArray tete = QByteArray("<") + nom + ':';
        if (sortie.mid(p, tete.size()) != tete)
            return false;
        p += tete.size();
        const qsizetype chevron = sortie.indexOf('>', p);
        if (chevron < 0 || chevron == p || chevron - p > 6)
            return false;
        bool valide = false;
        const qsizetype longueur = sortie.mid(p, chevron - p).toLongLong(&valide);
        if (!valide || longueur < 0)
            return false;
        p = chevron + 1 + longueur;
        if (p > sortie.size())
            return false;
    }
    if (sortie.mid(p, 7) != "<eor>\r\n")
        return false;
    *pos = p + 7;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille)
{
    if (taille < 1)
        return 0;
    const size_t k = qMin<size_t>(donnees[0] & 15, taille - 1);
    const QString indicatif =
        Cp1252::decode1252(reinterpret_cast<const char*>(donnees + 1), qsizetype(k));
    const QByteArray log(reinterpret_cast<const char*>(donnees + 1 + k), qsizetype(taille - 1 - k));

    const QByteArray sortie = Adif::exportationAdif(indicatif, log);
    for (const char c : sortie)
        FUZZ_CHECK((c >= 0x20 && c <= 0x7E) || c == '\r' || c == '\n');

    qsizetype pos = sortie.indexOf("\r\n<eoh>\r\n");
    FUZZ_CHECK(pos > 0);
    pos += 9;
    qsizetype lignes = 0;
    FichierTexte::pourChaqueLigne(log, [&](const char* d, qsizetype n) {
        ++lignes;
        // The record of the line alone is the same record.
        const QString ligne = Cp1252::decode1252(d, n);
        const QByteArray seul = Adif::ADIF_SP(ligne).toLatin1() + "\r\n";
        FUZZ_CHECK(sortie.mid(pos, seul.size()) == seul);
        FUZZ_CHECK(litRecord(sortie, &pos));
        FUZZ_CHECK(seul.contains("<QSL_RCVD:1>Y") ==
                   (ligne.size() >= LogLine::QSL.debut && ligne.at(LogLine::QSL.debut - 1) == '*'));
    });
    FUZZ_CHECK(pos == sortie.size());

    // ASCII text stays as it is; any other text becomes printable ASCII.
    const QString enAsciiSeulement = Adif::enAscii(indicatif);
    for (const QChar c : enAsciiSeulement)
        FUZZ_CHECK(c.unicode() >= 0x20 && c.unicode() <= 0x7E);
    bool imprimable = true;
    for (const QChar c : indicatif)
        imprimable = imprimable && c.unicode() >= 0x20 && c.unicode() <= 0x7E;
    if (imprimable)
        FUZZ_CHECK(enAsciiSeulement == indicatif);

    // Written beside the log, the export is that same content (for one input
    // in four: the file is flushed to the disk). The callsign is one that the
    // station window accepts: letters A to Z, digits and "_".
    bool station = !indicatif.isEmpty();
    for (const QChar c : indicatif) {
        station =
            station && ((c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
                        (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('_'));
    }
    if ((donnees[0] & 0x30) == 0x30 && station) {
        const QString dossier = Aleatoire::dossier();
        Aleatoire::ecrit(QDir(dossier).filePath(StationLog::nomFichier(indicatif)), log);
        FUZZ_CHECK(Adif::exporte(dossier, indicatif).estOk());
        const QString fichier = QDir(dossier).filePath(Adif::nomFichier(indicatif));
        FUZZ_CHECK(Aleatoire::lit(fichier) == sortie);
        QFile::remove(fichier);
        QFile::remove(QDir(dossier).filePath(StationLog::nomFichier(indicatif)));
    }
    return 0;
}
