#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// Cuts what a node sends into lines: a line ends at CR LF, LF, or a CR
// alone, and may come in several pieces. What is kept of the line
// being received never exceeds longueurMax bytes: a longer line is dropped
// whole when its end comes, so that a node sending without end never makes
// the program's memory grow.
class DecoupeLignes {
public:
    static constexpr qsizetype longueurMax = 2048;

    explicit DecoupeLignes(qsizetype max = longueurMax) : m_max(max) {}

    // The bytes received: each line they end goes to `lignes`, without its
    // line end.
    void ajoute(QByteArrayView octets, QList<QByteArray>* lignes);

    // The line being received, not ended yet (a node's prompt waits there
    // for an answer); its first longueurMax bytes.
    const QByteArray& partiel() const { return m_partiel; }
    // Forgets the line being received (a prompt that was answered).
    void videPartiel();
    void vide();
    // Lines dropped because they were longer than longueurMax.
    qsizetype lignesTropLongues() const { return m_tropLongues; }

private:
    qsizetype m_max;
    QByteArray m_partiel;
    bool m_coupee = false;
    bool m_apresCr = false; // the last read ended with a CR
    qsizetype m_tropLongues = 0;
};
