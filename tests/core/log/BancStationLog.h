#pragma once

#include "JeuxEssai.h"
#include "OutilsTest.h"
#include "core/log/Sauvegardes.h"
#include "core/log/StationLog.h"
#include "support/HorlogeReglee.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

// The log of station F1ABC in a temporary folder of each test, with a clock
// of its own, and the backups made of it.
class BancStationLog {
protected:
    QTemporaryDir* m_dossierTemporaire = nullptr;
    QString m_cheminFichier;

    HorlogeReglee m_horlogeReglee{QDateTime(QDate(2026, 12, 7), QTime(23, 30), Qt::UTC), 3600};

    StationLog log() const
    {
        return StationLog(m_dossierTemporaire->path(), "F1ABC", &m_horlogeReglee);
    }
    QString sauvegardeNommee(const QString& name) const
    {
        return m_dossierTemporaire->filePath("Sauvegardes/" + name);
    }
    QStringList sauvegardesPresentes() const
    {
        return QDir(m_dossierTemporaire->filePath("Sauvegardes"))
            .entryList(QDir::Files, QDir::Name);
    }
    Statut changeLog(const QString& operation, const QString& ligne, const QString& ancien = {})
    {
        StationLog l = log();
        if (operation == "enregistre")
            return l.Enregistre_QSO(ligne);
        if (operation == "chrono")
            return l.Insere_QSO_Chrono(ligne);
        if (operation == "remplace")
            return l.Remplace_QSO(ligne, ancien);
        return l.Supprime_QSO(ancien);
    }
    void ecritLeLog(const QStringList& lignes)
    {
        QVERIFY(OutilsTest::ecritOctets(m_cheminFichier, JeuxEssai::fichierDe(lignes)));
    }
    QByteArray octetsLog() const { return OutilsTest::litOctets(m_cheminFichier); }
    QStringList fichiersDeTravail() const
    {
        return QDir(m_dossierTemporaire->path())
            .entryList({"Temporaire*"}, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    }

    // Before each test: no log yet, no backup failure left to report.
    void prepareBanc()
    {
        m_dossierTemporaire = new QTemporaryDir;
        m_cheminFichier = m_dossierTemporaire->filePath("F1ABC_KZT.log");
        m_horlogeReglee.regleA(QDateTime(QDate(2026, 12, 7), QTime(23, 30), Qt::UTC), 3600);
        Sauvegardes::echecsASignaler(); // those of the tests before
    }
    // After each test: no working file left behind.
    void libereBanc()
    {
        QVERIFY(fichiersDeTravail().isEmpty());
        delete m_dossierTemporaire;
    }
};
