#pragma once

#include "support/LignesQso.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

namespace JeuxEssaiDiplome {

// A QSO with the fields the award windows read; the others are ordinary.
struct Q {
    QString indicatif = QStringLiteral("F5ABC");
    QString departement = QStringLiteral("77");
    QString reference = QStringLiteral("77121");
    QString bande = QStringLiteral("14 Mhz");
    bool qsl = false;
    QString date = QStringLiteral("05/06/09");
    QString nom = QStringLiteral("MOULIN DE LA TOUR");
};

inline QString ligne(const Q& q)
{
    LogLine::Champs c;
    c.indicatif = q.indicatif;
    c.departement = q.departement;
    c.prenom = QStringLiteral("JEAN");
    c.reference = q.reference;
    c.date = q.date;
    c.heure = QStringLiteral("12:00");
    c.mode = QStringLiteral("SSB");
    c.bande = q.bande;
    c.rstRecu = QStringLiteral("59");
    c.rstEnvoye = QStringLiteral("57");
    c.nomMoulin = q.nom;
    c.qsl = q.qsl;
    const LogLine::Formee f = LogLine::forme(c);
    if (!f.valide())
        qFatal("%s", qPrintable(f.erreur));
    return f.ligne;
}

// Lines made from the band, department and QSL flag only.
inline QString ligneQso(const QString& bande, const QString& departement = QStringLiteral("77"),
                        bool qsl = false)
{
    Q q;
    q.bande = bande;
    q.departement = departement;
    q.qsl = qsl;
    return ligne(q);
}

inline bool ecrit(const QString& chemin, const QStringList& lignes)
{
    const QByteArray octets = LignesQso::fichier(lignes);
    QFile f(chemin);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(octets) == octets.size();
}

inline QByteArray attenduGolden(const QString& nom)
{
    QFile f(QDir(QStringLiteral(KZT_GOLDEN)).filePath(nom));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing golden file)");
}

// The lines of a Windows-1252 text as UTF-8 text, for readable failures.
inline QStringList texte(const QByteArray& octets)
{
    QStringList l = QString::fromLatin1(octets).split(QStringLiteral("\r\n"));
    return l;
}

} // namespace JeuxEssaiDiplome
