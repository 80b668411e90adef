#pragma once

#include "IndexMoulins.h"
#include "Spot.h"
#include "core/platform/Statut.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <deque>

class Horloge;

// The windmill hunt: the last spots of the cluster, each marked against the
// log of the station (IndexMoulins), and the alert of a windmill still
// needed. The list keeps the last spotsMax spots whatever the node sends.
class TableauChasse {
public:
    static constexpr qsizetype spotsMax = 500;
    // The other lines of a reception worth showing: the last ones.
    static constexpr qsizetype messagesMax = 100;
    // Each of them shown up to that many characters: a node sending garbage
    // never makes one line cost much to show.
    static constexpr qsizetype longueurMessageMax = 240;
    // A needed windmill rings once in that time for its group.
    static constexpr int minutesAlerte = 30;
    // The windmills rung for that are remembered, at most: a node that
    // floods the list with needed windmills never makes the memory grow.
    static constexpr qsizetype alertesMax = 2000;

    struct Ligne {
        Spot spot;
        IndexMoulins::Marque marque;
        quint64 numero = 0; // the order of arrival, from 1: the same spot across the changes
        QDateTime moment;   // UTC: the spot's date (or the day it came) and time
    };

    // The clock dates the alerts.
    explicit TableauChasse(const Horloge& horloge);

    struct Reception {
        qsizetype spots = 0;   // spots added to the list
        qsizetype alertes = 0; // needed windmills not rung for in the last minutesAlerte
        QStringList messages;  // the other lines that hold something, the last messagesMax
    };
    // The lines of the node, cleaned (Spot::nettoie): the spots are marked
    // and kept, the same spot sent again (a history asked again after a new
    // login: same callsign, frequency, time, spotter and windmill) is kept
    // once.
    Reception recoit(const QList<QByteArray>& lignes);

    // The log changed (a QSO saved, edited, deleted, imported, another
    // station): the index is built again from the log file, and every spot
    // of the list marked again.
    Statut changeLog(const QString& cheminLog);
    const IndexMoulins& index() const { return m_index; }

    // The spots kept, the oldest first.
    const std::deque<Ligne>& lignes() const { return m_lignes; }
    // The modes of the spots kept, each once, for the mode filter: those of
    // the log's list ("SSB", "CW", "FM") in its order, then the others
    // ("FT8", "RTY"...) in alphabetical order.
    QStringList modesVus() const;
    // The spot of that order of arrival; nullptr once it left the list.
    const Ligne* ligneNumero(quint64 numero) const;

    // When a spot was made, in UTC: its time on its date ("7-Dec-2026"), or
    // on the day it came; a live spot's time later than now is yesterday's.
    static QDateTime momentDe(const Spot& spot, const QDateTime& maintenant);
    // "il y a 3 min", "il y a 2 h 05", "il y a 3 j": how old a spot is.
    static QString age(const QDateTime& moment, const QDateTime& maintenant);
    // The newest spot of a windmill still to contact that the node sent
    // (by the time it was made, not the order it came in): "F4XYZ KZT 77121
    // (14 Mhz)"; empty before the first one.
    const QString& dernierAContacter() const { return m_dernierAContacter; }

    // The spot line of a QSO being worked, as a node takes it:
    // "DX 14250.0 F4ABC KZT 77121"; or why there is none, in French.
    struct Annonce {
        QString ligne;
        QString erreur;
    };
    static Annonce annonce(const QString& frequenceKhz, const QString& indicatif,
                           const QString& reference);

private:
    static QString cle(const Spot& spot);
    void oublieAlertes(const QDateTime& maintenant);

    const Horloge& m_horloge;
    IndexMoulins m_index;
    std::deque<Ligne> m_lignes;
    quint64 m_numero = 0;
    QString m_dernierAContacter;
    QDateTime m_momentDernier;      // when the spot of m_dernierAContacter was made
    QHash<QString, int> m_presents; // the spots of the list, by cle()
    // Reference and group: when it rang; and the same in the order they rang.
    QHash<QString, QDateTime> m_alertes;
    std::deque<std::pair<QString, QDateTime>> m_ordreAlertes;
};
