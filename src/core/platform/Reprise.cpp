#include "Reprise.h"

#include <QTimer>

#include <chrono>

Reprise::Reprise(QObject* parent, std::function<void()> essai, std::function<qint64()> maintenant)
    : m_minuterie(new QTimer(parent)), m_maintenant(std::move(maintenant))
{
    if (!m_maintenant) {
        m_maintenant = [] {
            return qint64(std::chrono::duration_cast<std::chrono::milliseconds>(
                              std::chrono::steady_clock::now().time_since_epoch())
                              .count());
        };
    }
    m_minuterie->setSingleShot(true);
    QObject::connect(m_minuterie, &QTimer::timeout, parent, std::move(essai));
}

int Reprise::perte(const DelaisReprise& delais)
{
    const qint64 t = m_maintenant();
    if (m_premiere < 0)
        m_premiere = t;
    const int attente = delais.attente(m_pertes, t - m_premiere);
    ++m_pertes;
    m_minuterie->start(attente);
    return attente;
}

void Reprise::retablie()
{
    m_pertes = 0;
    m_premiere = -1;
}

void Reprise::annule()
{
    m_minuterie->stop();
}
