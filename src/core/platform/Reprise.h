#pragma once

#include <QtGlobal>

#include <functional>

class QObject;
class QTimer;

// The waits before a lost link (the radio, the cluster's node) is tried
// again, in ms. They grow with the losses in a row: `premier` after the
// first loss, `deuxieme` after the second, `suivants` after each of the next
// ones; every loss within `duree` ms of the first of the row waits
// `premier` (0: the count alone decides).
struct DelaisReprise {
    int premier = 5000;
    int deuxieme = 15000;
    int suivants = 60000;
    qint64 duree = 0;

    // The wait after a loss that follows `pertes` others in the row, that
    // long after the first of them.
    int attente(int pertes, qint64 depuisPremiere) const
    {
        if (pertes <= 0 || depuisPremiere < duree)
            return premier;
        return pertes == 1 ? deuxieme : suivants;
    }
};

// The tries again of a link that comes back by itself: the losses in a row,
// the moment of the first of them, and the timer of the next try. It lives
// on the thread of its parent, the object that owns the link.
class Reprise {
public:
    // `essai` runs when a wait is over. `maintenant` gives the time in ms
    // by which `duree` is counted; by default, the system's steady clock.
    Reprise(QObject* parent, std::function<void()> essai, std::function<qint64()> maintenant = {});

    // The link is lost: the wait due, whose timer starts now.
    int perte(const DelaisReprise& delais);
    // The link is up, or other settings are to be tried: the next loss is
    // the first of a new row.
    void retablie();
    // No try to come (the link is closed or being opened); the losses in a
    // row are kept.
    void annule();

private:
    QTimer* m_minuterie;
    std::function<qint64()> m_maintenant;
    int m_pertes = 0;
    qint64 m_premiere = -1;
};
