// The reading of a station log as it comes from the disk (any bytes, any
// line ends) into the display lines of the main list, and back from a
// display line to the stored line and to the entry fields.

#include "Aleatoire.h"

#include "core/log/Affichage.h"
#include "core/log/LogLine.h"
#include "core/log/StationLog.h"
#include "core/platform/FichierTexte.h"

#include <QDir>

namespace {

// The columns of the blanks between the stored fields.
bool separateursBlancs(const QByteArray& ligne)
{
    for (int c : {13, 18, 34, 40, 49, 55, 59, 67, 71, 75, 106}) {
        if (ligne.at(c - 1) != ' ')
            return false;
    }
    return true;
}

// The lines as a plain reading byte by byte cuts them: CR LF, LF alone or CR
// alone ends a line, and a last line needs no end.
QList<QByteArray> lignesOctetParOctet(const QByteArray& contenu)
{
    QList<QByteArray> lignes;
    QByteArray ligne;
    bool ouverte = false;
    for (qsizetype i = 0; i < contenu.size(); ++i) {
        const char c = contenu.at(i);
        if (c == '\r' || c == '\n') {
            lignes.append(ligne);
            ligne.clear();
            ouverte = false;
            if (c == '\r' && i + 1 < contenu.size() && contenu.at(i + 1) == '\n')
                ++i;
        } else {
            ligne.append(c);
            ouverte = true;
        }
    }
    if (ouverte)
        lignes.append(ligne);
    return lignes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille)
{
    const QByteArray contenu(reinterpret_cast<const char*>(donnees), qsizetype(taille));

    // The lines as the reader cuts them: within the content, in order, none
    // holding a LF.
    QList<QByteArray> lignes;
    const char* fin = contenu.constData() + contenu.size();
    const char* precedent = contenu.constData();
    FichierTexte::pourChaqueLigne(contenu, [&](const char* d, qsizetype n) {
        FUZZ_CHECK(n >= 0 && d >= precedent && d + n <= fin);
        FUZZ_CHECK(!QByteArrayView(d, n).contains('\n'));
        precedent = d + n;
        lignes.append(QByteArray(d, n));
    });
    qsizetype octets = 0;
    for (const QByteArray& l : lignes)
        octets += l.size();
    FUZZ_CHECK(octets <= contenu.size());
    FUZZ_CHECK(lignes.isEmpty() == contenu.isEmpty());
    FUZZ_CHECK(lignes == lignesOctetParOctet(contenu));

    const Affichage::Journal journal(contenu);
    FUZZ_CHECK(journal.total() == lignes.size());
    FUZZ_CHECK(journal.size() == qMin<qsizetype>(lignes.size(), Affichage::numeroMaxi));

    // The same content read from the disk gives the same lines.
    const QString dossier = Aleatoire::dossier();
    Aleatoire::ecrit(QDir(dossier).filePath(StationLog::nomFichier(QStringLiteral("F1FUZ"))),
                     contenu);
    const StationLog::Lignes lues = StationLog(dossier, QStringLiteral("F1FUZ")).Charge_Log();
    FUZZ_CHECK(lues.statut.estOk());
    FUZZ_CHECK(lues.total == journal.total() && lues.affichage.size() == journal.size());

    const qsizetype n = qMin<qsizetype>(journal.size(), 64);
    for (qsizetype i = 0; i < n; ++i) {
        const QByteArray& stockee = lignes.at(i);
        const QString affichage = journal.at(i);
        FUZZ_CHECK(affichage.size() == Affichage::Longueur);
        FUZZ_CHECK(affichage == lues.affichage.at(i));
        FUZZ_CHECK(affichage.left(5) == QString::number(i + 1).rightJustified(5, QLatin1Char(' ')));
        // From text or from bytes, the same display line.
        FUZZ_CHECK(affichage == Affichage::ligneAffichage(int(i + 1), Cp1252::decode1252(stockee)));

        const QString retour = Affichage::logLineDepuisAffichage(affichage, false);
        FUZZ_CHECK(retour.size() == LogLine::Longueur);
        if (stockee.size() == LogLine::Longueur && separateursBlancs(stockee))
            FUZZ_CHECK(retour == Cp1252::decode1252(stockee));
        const QString majuscules = Affichage::logLineDepuisAffichage(affichage, true);
        FUZZ_CHECK(majuscules.size() == LogLine::Longueur);
        FUZZ_CHECK(majuscules.left(75) == retour.left(75));

        // The fields of the entry area form a line again, or are refused
        // with a reason; a formed line is always whole.
        const LogLine::Champs champs = Affichage::champsDepuisAffichage(affichage);
        FUZZ_CHECK(champs.qsl == (affichage.at(121) == QLatin1Char('*')));
        const LogLine::Formee formee = LogLine::forme(champs);
        if (formee.valide()) {
            FUZZ_CHECK(formee.ligne.size() == LogLine::Longueur);
            FUZZ_CHECK(Cp1252::estCodable(formee.ligne));
        } else {
            FUZZ_CHECK(!formee.erreur.isEmpty());
        }
    }
    if (!journal.isEmpty())
        FUZZ_CHECK(journal.last() == journal.at(journal.size() - 1));
    return 0;
}
