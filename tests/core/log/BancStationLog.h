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
    QString backup(const QString& name) const
    {
        return m_dossierTemporaire->filePath("Sauvegardes/" + name);
    }
    QStringList backups() const
    {
        return QDir(m_dossierTemporaire->filePath("Sauvegardes"))
            .entryList(QDir::Files, QDir::Name);
    }
    Statut change(const QString& operation, const QString& line, const QString& old = {})
    {
        StationLog l = log();
        if (operation == "enregistre")
            return l.Enregistre_QSO(line);
        if (operation == "chrono")
            return l.Insere_QSO_Chrono(line);
        if (operation == "remplace")
            return l.Remplace_QSO(line, old);
        return l.Supprime_QSO(old);
    }
    void ecritLeLog(const QStringList& lines)
    {
        QVERIFY(OutilsTest::ecritOctets(m_cheminFichier, JeuxEssai::fichierDe(lines)));
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
        m_horlogeReglee.set(QDateTime(QDate(2026, 12, 7), QTime(23, 30), Qt::UTC), 3600);
        Sauvegardes::echecsASignaler(); // those of the tests before
    }
    // After each test: no working file left behind.
    void libereBanc()
    {
        QVERIFY(fichiersDeTravail().isEmpty());
        delete m_dossierTemporaire;
    }
};
