#include "DecoupeLignes.h"

void DecoupeLignes::ajoute(QByteArrayView octets, QList<QByteArray>* lignes)
{
    while (!octets.isEmpty()) {
        const qsizetype fin = octets.indexOf('\n');
        const QByteArrayView morceau = fin < 0 ? octets : octets.first(fin);
        if (!m_coupee) {
            const qsizetype place = m_max - m_partiel.size();
            if (morceau.size() > place) {
                m_partiel.append(morceau.first(place));
                m_coupee = true;
            } else {
                m_partiel.append(morceau);
            }
        }
        if (fin < 0)
            return;
        if (m_coupee) {
            ++m_tropLongues;
        } else {
            if (m_partiel.endsWith('\r'))
                m_partiel.chop(1);
            lignes->append(m_partiel);
        }
        m_partiel.clear();
        m_coupee = false;
        octets = octets.sliced(fin + 1);
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
    m_tropLongues = 0;
}
