#include "DecoupeLignes.h"

void DecoupeLignes::ajoute(QByteArrayView octets, QList<QByteArray>* lignes)
{
    if (octets.isEmpty())
        return;
    // The LF of a CR LF whose CR ended the previous read.
    if (m_apresCr && octets.front() == '\n')
        octets = octets.sliced(1);
    m_apresCr = false;
    while (!octets.isEmpty()) {
        qsizetype fin = 0;
        while (fin < octets.size() && octets[fin] != '\n' && octets[fin] != '\r')
            ++fin;
        const QByteArrayView morceau = octets.first(fin);
        if (!m_coupee) {
            const qsizetype place = m_max - m_partiel.size();
            if (morceau.size() > place) {
                m_partiel.append(morceau.first(place));
                m_coupee = true;
            } else {
                m_partiel.append(morceau);
            }
        }
        if (fin == octets.size())
            return;
        if (m_coupee)
            ++m_tropLongues;
        else
            lignes->append(m_partiel);
        m_partiel.clear();
        m_coupee = false;
        qsizetype suite = fin + 1;
        if (octets[fin] == '\r') {
            if (suite == octets.size())
                m_apresCr = true;
            else if (octets[suite] == '\n')
                ++suite;
        }
        octets = octets.sliced(suite);
    }
}

void DecoupeLignes::videPartiel()
{
    m_partiel.clear();
    m_coupee = false;
}

void DecoupeLignes::vide()
{
    videPartiel();
    m_apresCr = false;
    m_tropLongues = 0;
}
