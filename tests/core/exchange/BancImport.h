#pragma once

// The record and the folder that the import's tests start from.
#include "JeuxEssaiAdif.h"
#include "OutilsTest.h"

#include "core/exchange/Importation.h"
#include "core/log/StationLog.h"
#include "core/platform/Cp1252.h"
#include "support/HorlogeReglee.h"

#include <QTemporaryDir>

namespace BancImport {

inline const QString kStation = QStringLiteral("F5ABC");

// A KZT QSO in the convention of the export; the tests change its fields.
inline const QString kRecord = QStringLiteral(
    "<CALL:5>F6XYZ<STATE:2>77<NAME:4>Paul<SIG:5>77121<QSO_DATE:8>20230217<TIME_ON:4>1726"
    "<MODE:3>SSB<BAND:3>20m<RST_RCVD:2>59<RST_SENT:2>57<SIG_INFO:6>Moulin<QSL_RCVD:1>N<EOR>");

// The record with one field replaced, added (absent from it) or, with an
// empty value, removed.
inline QString avec(const QString& enregistrement, const QString& nom, const QString& valeur)
{
    QString r = enregistrement;
    const qsizetype debut = r.indexOf('<' + nom + ':', 0, Qt::CaseInsensitive);
    if (debut >= 0) {
        const qsizetype chevron = r.indexOf('>', debut);
        const int longueur =
            r.mid(debut + nom.size() + 2, chevron - debut - nom.size() - 2).toInt();
        r.remove(debut, chevron + 1 + longueur - debut);
    }
    if (!valeur.isNull())
        r.insert(r.size() - 5, QStringLiteral("<%1:%2>%3").arg(nom).arg(valeur.size()).arg(valeur));
    return r;
}

inline QByteArray latin1(const QString& s)
{
    QByteArray b;
    Cp1252::encode1252(s, &b);
    return b;
}

struct Dossier {
    QTemporaryDir dossier;
    HorlogeReglee horloge{QDateTime(QDate(2026, 12, 7), QTime(10, 0), Qt::UTC), 3600};

    QString chemin(const QString& nom) const { return dossier.filePath(nom); }
    bool ecritLog(const QStringList& lignes)
    {
        return OutilsTest::ecritOctets(chemin(StationLog::nomFichier(kStation)),
                                       LignesQso::fichier(lignes));
    }
    QByteArray log() const
    {
        return OutilsTest::litOctets(chemin(StationLog::nomFichier(kStation)));
    }
    Importation::Bilan importe(const QByteArray& adi)
    {
        OutilsTest::ecritOctets(chemin("entree.adi"), adi);
        return Importation::importeFichier(dossier.path(), kStation, chemin("entree.adi"), horloge);
    }
};

} // namespace BancImport
