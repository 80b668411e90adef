#pragma once

#include "core/platform/Statut.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <atomic>

// The second copy of what a dead disk would take with it, in a folder the
// operator chose on another medium (a USB stick, a network share, a folder a
// sync client copies elsewhere): every station log, the first-name memory
// and the settings, in a subfolder "RQN_KZT_AAAAMMJJ_HHMMSS" of that folder.
//
// The subfolder is made under a name of its own, "RQN_KZT_….partiel", and
// takes its name only once its last file is in place: each file written
// through a work file, flushed and renamed as the logs are, then read back
// and compared with its source. The next copy removes an unfinished one. The
// 10 newest copies are kept; an older one is removed only after a newer one
// is complete. Nothing of the chosen folder is trusted: a link or a folder
// where a file goes is refused, and no link is followed out of the folder.
class CopieSecurite {
public:
    static constexpr int nombreGardees = 10;
    static inline const QString prefixe = QStringLiteral("RQN_KZT_");
    static inline const QString suffixePartiel = QStringLiteral(".partiel");

    // What is copied: the station logs (callsign + "_KZT.log") and the
    // first-name memory of the program folder, and the settings file.
    CopieSecurite(const QString& dossierProgramme, const QString& fichierReglages);

    // Makes a copy in destination, dated by `moment` (local time). abandon,
    // when given, is read between two files: set, the copy stops and its
    // subfolder stays unfinished. nomCopie receives the subfolder's name.
    Statut copie(const QString& destination, const QDateTime& moment,
                 const std::atomic<bool>* abandon = nullptr, QString* nomCopie = nullptr) const;

    // The complete copies of a folder, the newest first (subfolder names).
    static QStringList copies(const QString& destination);
    // The unfinished ones ("….partiel").
    static QStringList inacheves(const QString& destination);
    // The day and time of a copy, from its name (local time).
    static QDateTime dateDe(const QString& nomCopie);

private:
    QStringList sources() const;

    QString m_dossierProgramme;
    QString m_fichierReglages;
};
