#include "IndexQso.h"

#include "LogLine.h"

#include <QHash>

QByteArray IndexQso::cleQso(QByteArrayView ligne)
{
    const auto champ = [ligne](LogLine::Colonne c) {
        QByteArrayView p = ligne.size() >= c.debut ? ligne.sliced(c.debut - 1) : QByteArrayView();
        return p.first(qMin<qsizetype>(p.size(), c.largeur)).trimmed();
    };
    QByteArray cle;
    cle.reserve(40);
    cle.append(champ(LogLine::Indicatif).toByteArray().toUpper());
    for (const LogLine::Colonne c : {LogLine::Date, LogLine::Heure, LogLine::Bande})
        cle.append('|').append(champ(c));
    return cle;
}

IndexQso::IndexQso(std::function<QByteArrayView(qsizetype)> ligne) : m_ligne(std::move(ligne))
{
    agrandit(16);
}

void IndexQso::reserve(qsizetype n)
{
    size_t cases = m_cases.size();
    while (cases < size_t(n) * 2)
        cases *= 2;
    if (cases > m_cases.size())
        agrandit(cases);
}

namespace {

quint32 hacheCle(const QByteArray& cle)
{
    return quint32(qHash(cle, size_t(0x4b5a54)));
}

} // namespace

size_t IndexQso::place(const QByteArray& cle, quint32 hache, bool* trouvee) const
{
    const size_t masque = m_cases.size() - 1;
    for (size_t p = hache & masque;; p = (p + 1) & masque) {
        const quint64 c = m_cases[p];
        *trouvee = c != 0;
        if (c == 0 ||
            (quint32(c >> 32) == hache && cleQso(m_ligne(qsizetype(c & 0xFFFFFFFFu) - 1)) == cle))
            return p;
    }
}

bool IndexQso::ajoute(qsizetype i)
{
    Q_ASSERT(i >= 0 && i < 0xFFFFFFFFLL);
    const QByteArray cle = cleQso(m_ligne(i));
    const quint32 hache = hacheCle(cle);
    bool trouvee = false;
    const size_t p = place(cle, hache, &trouvee);
    if (trouvee)
        return false;
    m_cases[p] = (quint64(hache) << 32) | quint64(i + 1);
    if (size_t(++m_nombre) * 2 > m_cases.size())
        agrandit(m_cases.size() * 2);
    return true;
}

bool IndexQso::contient(QByteArrayView ligne) const
{
    const QByteArray cle = cleQso(ligne);
    bool trouvee = false;
    place(cle, hacheCle(cle), &trouvee);
    return trouvee;
}

void IndexQso::agrandit(size_t cases)
{
    std::vector<quint64> anciennes(cases, 0);
    anciennes.swap(m_cases);
    const size_t masque = m_cases.size() - 1;
    for (const quint64 c : anciennes) {
        if (c == 0)
            continue;
        size_t p = size_t(c >> 32) & masque;
        while (m_cases[p] != 0)
            p = (p + 1) & masque;
        m_cases[p] = c;
    }
}
