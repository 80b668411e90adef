#pragma once

#include "core/platform/Cp1252.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// What the harnesses share: a check that stops the run with the failed
// condition (libFuzzer then keeps the input as a crash), a private folder for
// the files, and the reading of a file's lines as the fuzz input expects them.

#define FUZZ_CHECK(cond)                                                                           \
    do {                                                                                           \
        if (!(cond)) {                                                                             \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond);          \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

namespace Aleatoire {

// One folder for the whole run, removed at its end: in memory when the
// system offers it, as the store flushes every file it writes to the disk.
inline QString dossier()
{
    static QTemporaryDir d(QDir(QStringLiteral("/dev/shm")).exists()
                               ? QStringLiteral("/dev/shm/kzt-fuzz-XXXXXX")
                               : QDir::tempPath() + QStringLiteral("/kzt-fuzz-XXXXXX"));
    if (!d.isValid()) {
        std::fprintf(stderr, "no temporary folder\n");
        std::abort();
    }
    return d.path();
}

inline QByteArray lit(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void ecrit(const QString& chemin, const QByteArray& octets)
{
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(octets) != octets.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(chemin));
        std::abort();
    }
}

// The lines of a file whose lines hold neither CR nor LF: CR LF, LF and CR
// alone all end a line, and the last line may have no end.
inline QList<QByteArray> lignes(const QByteArray& contenu)
{
    QList<QByteArray> resultat;
    qsizetype debut = 0;
    const qsizetype n = contenu.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = contenu.at(i);
        if (c != '\r' && c != '\n')
            continue;
        resultat.append(contenu.mid(debut, i - debut));
        if (c == '\r' && i + 1 < n && contenu.at(i + 1) == '\n')
            ++i;
        debut = i + 1;
    }
    if (debut < n)
        resultat.append(contenu.mid(debut));
    return resultat;
}

// The file content of the lines, each ended as chosen; the last one keeps
// no end when asked.
inline QByteArray contenu(const QList<QByteArray>& lignes, bool lf, bool finale)
{
    QByteArray c;
    for (qsizetype i = 0; i < lignes.size(); ++i) {
        c += lignes.at(i);
        if (finale || i + 1 < lignes.size())
            c += lf ? "\n" : "\r\n";
    }
    return c;
}

// Bytes of the input with line ends turned into blanks.
inline QByteArray sansFinDeLigne(QByteArray octets)
{
    octets.replace('\r', ' ');
    octets.replace('\n', ' ');
    return octets;
}

// Cut or padded with blanks to the length.
inline QByteArray aLaLongueur(QByteArray octets, qsizetype n)
{
    if (octets.size() > n)
        octets.truncate(n);
    while (octets.size() < n)
        octets.append(' ');
    return octets;
}

// The input cut at its LF: the pieces in order (a last piece without LF too).
inline QList<QByteArray> morceaux(const uint8_t* donnees, size_t taille)
{
    return QByteArray::fromRawData(reinterpret_cast<const char*>(donnees), qsizetype(taille))
        .split('\n');
}

} // namespace Aleatoire
