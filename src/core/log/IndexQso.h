#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <functional>
#include <vector>

// The QSOs met so far, by their key (cleQso: callsign, date, time and
// band): whether a line holds a QSO already met. The index keeps
// only the number of each line and a hash of its key, and asks the caller
// for the line itself when two hashes agree, so that a log of a hundred
// thousand QSOs costs a few bytes a QSO.
class IndexQso {
public:
    // The key of a QSO for the duplicates: callsign, date, time and band.
    static QByteArray cleQso(QByteArrayView ligne);

    // ligne(i) gives line i, for as long as the index lives.
    explicit IndexQso(std::function<QByteArrayView(qsizetype)> ligne);

    // Room for n lines without growing.
    void reserve(qsizetype n);
    // Adds line i; false, and nothing added, when a line of the same QSO is
    // already there.
    bool ajoute(qsizetype i);
    // Whether a line of the same QSO as this one is there.
    bool contient(QByteArrayView ligne) const;

private:
    // The place of the key, or of the empty place where it would go.
    size_t place(const QByteArray& cle, quint32 hache, bool* trouvee) const;
    void agrandit(size_t cases);

    std::function<QByteArrayView(qsizetype)> m_ligne;
    // Open addressing: the hash of the key in the high half, the number of
    // the line plus one in the low half; 0 for an empty place.
    std::vector<quint64> m_cases;
    qsizetype m_nombre = 0;
};
