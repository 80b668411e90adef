#pragma once

#include "core/app/Reglages.h"
#include "core/app/Services.h"
#include "core/log/LogLine.h"
#include "core/platform/BoiteMessage.h"
#include "core/platform/Horloge.h"
#include "core/platform/StockReglages.h"
#include "gui/app/Main.h"
#include "support/BoiteMessageScriptee.h"
#include "support/HorlogeReglee.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

// A program folder, settings, clock and message box of their own for each
// test, and helpers to drive the modal windows.
struct BancProgramme {
    QTemporaryDir dossier;
    QTemporaryDir reglagesDir;
    StockReglages reglages{reglagesDir.filePath(QStringLiteral("KZT.ini"))};
    HorlogeReglee horloge{QDateTime(QDate(2026, 12, 6), QTime(14, 5, 0), Qt::UTC), 3600};
    BoiteMessageScriptee messages;
    int termine = 0;

    BancProgramme()
    {
        QFile modele(chemin(QStringLiteral("FXXXX.txt")));
        modele.open(QIODevice::WriteOnly);
    }

    Services services()
    {
        return {dossier.path(), reglages, horloge, messages, [this] { ++termine; }};
    }

    QString chemin(const QString& nom) const { return QDir(dossier.path()).filePath(nom); }
    QString cheminLog(const QString& indicatif) const
    {
        return chemin(indicatif + QStringLiteral("_KZT.log"));
    }

    void choisitStation(const QString& indicatif)
    {
        reglages.ecrit(Reglages::sectionGlobale, Reglages::indicatifStation, indicatif);
    }
    QString station() const
    {
        return reglages.lit(Reglages::sectionGlobale, Reglages::indicatifStation,
                            QStringLiteral("absent"));
    }
    QString reglageStation(const QString& indicatif, const QString& cle) const
    {
        return reglages.lit(Reglages::sectionStation(indicatif), cle, QStringLiteral("absent"));
    }

    // A stored line for QSO number i.
    static QByteArray ligne(int i)
    {
        LogLine::Champs c;
        c.indicatif = QStringLiteral("F%1AB").arg(i % 10000);
        c.departement = QStringLiteral("77");
        c.prenom = QStringLiteral("Jean");
        c.reference = QStringLiteral("77121");
        c.date = QStringLiteral("01/02/08");
        c.heure = QStringLiteral("12:00");
        c.mode = QStringLiteral("SSB");
        c.bande = QStringLiteral("14 Mhz");
        c.rstRecu = QStringLiteral("59");
        c.rstEnvoye = QStringLiteral("59");
        c.nomMoulin = QStringLiteral("Moulin de la Galette");
        return LogLine::forme(c).ligne.toLatin1();
    }

    QByteArray ecritLog(const QString& indicatif, int lignes)
    {
        QByteArray contenu;
        contenu.reserve(qsizetype(lignes) * 109);
        for (int i = 1; i <= lignes; ++i)
            contenu += ligne(i) + "\r\n";
        QFile f(cheminLog(indicatif));
        f.open(QIODevice::WriteOnly);
        f.write(contenu);
        return contenu;
    }

    static QByteArray lit(const QString& chemin)
    {
        QFile f(chemin);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }
};

// Runs the action on the modal window of that name as soon as it is open,
// once; the watch ends with the returned timer.
[[nodiscard]] inline std::unique_ptr<QTimer> surModal(const QString& nom,
                                                      std::function<void(QWidget*)> action)
{
    auto attente = std::make_unique<QTimer>();
    attente->setInterval(5);
    QTimer* t = attente.get();
    QObject::connect(t, &QTimer::timeout, [t, nom, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal->objectName() != nom)
            return;
        t->stop();
        action(modal);
    });
    t->start();
    return attente;
}

template <typename T> T* enfant(QObject* parent, const char* nom)
{
    return parent->findChild<T*>(QLatin1String(nom));
}
