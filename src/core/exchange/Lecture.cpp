#include "Lecture.h"

#include "core/platform/Cp1252.h"

namespace Adif {

namespace {

bool chiffre(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The length of a tag: digits only, at most nine of them.
bool longueur(QStringView texte, qsizetype* n)
{
    if (texte.isEmpty() || texte.size() > 9)
        return false;
    qsizetype v = 0;
    for (const QChar c : texte) {
        if (!chiffre(c))
            return false;
        v = v * 10 + (c.unicode() - u'0');
    }
    *n = v;
    return true;
}

struct Tag {
    enum Sorte { Aucun, Champ, FinEntete, FinRecord } sorte = Aucun;
    QStringView nom;
    qsizetype longueur = 0;
};

// The tag whose text between "<" and ">" is dedans; Aucun when it is no
// tag of a field, of the end of the header or of the end of a record.
Tag litTag(QStringView dedans)
{
    Tag tag;
    if (dedans.isEmpty())
        return tag;
    const qsizetype deuxPoints = dedans.indexOf(QLatin1Char(':'));
    if (deuxPoints < 0) {
        if (dedans.compare(QLatin1StringView("eor"), Qt::CaseInsensitive) == 0)
            tag.sorte = Tag::FinRecord;
        else if (dedans.compare(QLatin1StringView("eoh"), Qt::CaseInsensitive) == 0)
            tag.sorte = Tag::FinEntete;
        return tag;
    }
    tag.nom = dedans.first(deuxPoints);
    QStringView reste = dedans.mid(deuxPoints + 1);
    // The type indicator after a second colon is not needed to read the value.
    const qsizetype type = reste.indexOf(QLatin1Char(':'));
    if (type >= 0)
        reste = reste.first(type);
    if (tag.nom.isEmpty() || tag.nom.contains(QLatin1Char(' ')) || !longueur(reste, &tag.longueur))
        return tag;
    tag.sorte = Tag::Champ;
    return tag;
}

// The first "<" or ">" from i on; the size of the text when there is none.
qsizetype chevronSuivant(QStringView texte, qsizetype i)
{
    const char16_t* d = texte.utf16();
    const qsizetype n = texte.size();
    while (i < n && d[i] != u'<' && d[i] != u'>')
        ++i;
    return i;
}

// Where a piece of bytes is cut so that no character is: before the last
// byte that is not a UTF-8 continuation byte, within the last four (a
// character has four bytes at most; four continuation bytes in a row are
// wrong wherever the cut is).
qsizetype finDesCaracteresEntiers(QByteArrayView octets)
{
    for (qsizetype k = 1; k <= 4 && k <= octets.size(); ++k) {
        if ((uchar(octets.at(octets.size() - k)) & 0xC0) != 0x80)
            return octets.size() - k;
    }
    return octets.size();
}

} // namespace

QStringView Enregistrement::valeur(QLatin1StringView nom) const
{
    for (auto it = champs.rbegin(); it != champs.rend(); ++it) {
        if (it->nom.compare(nom, Qt::CaseInsensitive) == 0)
            return it->valeur;
    }
    return {};
}

bool Enregistrement::contient(QLatin1StringView nom) const
{
    for (const Champ& c : champs) {
        if (c.nom.compare(nom, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

void VerificationUtf8::ajoute(QByteArrayView octets)
{
    if (!m_valide || octets.isEmpty())
        return;
    QByteArray joints;
    if (!m_reste.isEmpty()) {
        joints = m_reste;
        joints.append(octets);
        octets = joints;
    }
    const qsizetype coupe = finDesCaracteresEntiers(octets);
    m_valide = estUtf8(octets.first(coupe));
    m_reste = octets.sliced(coupe).toByteArray();
}

bool VerificationUtf8::valide()
{
    if (m_valide && !m_reste.isEmpty())
        m_valide = estUtf8(m_reste);
    m_reste.clear();
    return m_valide;
}

bool estUtf8(QByteArrayView octets)
{
    QStringDecoder decodeur(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString texte = decodeur.decode(octets);
    return !decodeur.hasError();
}

QString texteFichier(const QByteArray& octets, bool* utf8)
{
    QStringDecoder decodeur(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString texte = decodeur.decode(octets);
    const bool valide = !decodeur.hasError();
    if (!valide)
        texte = Cp1252::decode1252(octets);
    if (texte.startsWith(QChar(0xFEFF)))
        texte.remove(0, 1);
    if (utf8)
        *utf8 = valide;
    return texte;
}

Lecteur::Lecteur(bool utf8) : m_utf8(utf8)
{
    // Stateful: a character cut by the end of a piece is finished by the next.
    if (utf8)
        m_decodeur.emplace(QStringDecoder::Utf8);
}

void Lecteur::ajoute(QByteArrayView octets, const Visite& visite)
{
    if (m_etat == Etat::Fini || octets.isEmpty())
        return;
    QString texte =
        m_decodeur ? m_decodeur->decode(octets) : Cp1252::decode1252(octets.data(), octets.size());
    // The decoding leaves out the byte-order mark; one more at the start of
    // the text goes too, as texteFichier does.
    if (!m_debutVu && !texte.isEmpty()) {
        m_debutVu = true;
        if (texte.startsWith(QChar(0xFEFF)))
            texte.remove(0, 1);
    }
    if (texte.isEmpty())
        return;
    if (!m_enteteVu) {
        m_enteteVu = true;
        m_entete = !texte.startsWith(QLatin1Char('<'));
    }
    m_texte += texte;
    analyse(false, visite);
}

void Lecteur::termine(const Visite& visite)
{
    if (m_etat == Etat::Fini)
        return;
    if (!m_enteteVu) {
        // An empty text: nothing was read, and nothing is cut.
        m_enteteVu = true;
        m_entete = true;
    }
    analyse(true, visite);
}

void Lecteur::analyse(bool fin, const Visite& visite)
{
    const auto ici = [this](qsizetype position) { return position - m_base; };
    for (;;) {
        // Taken again at each turn: giving a record or cutting one may
        // change the text.
        const QStringView t(m_texte);
        switch (m_etat) {
        case Etat::Chevron: {
            const qsizetype i = t.indexOf(QLatin1Char('<'), ici(m_pos));
            if (i < 0) {
                m_pos = m_base + t.size();
                if (!fin) {
                    compacte();
                    return;
                }
                // No <eor> after the last fields.
                if (!m_entete && !m_champs.empty())
                    coupe();
                m_etat = Etat::Fini;
                return;
            }
            m_pos = m_base + i;
            m_balayage = m_pos + 1;
            m_etat = Etat::Tag;
            break;
        }
        case Etat::Tag: {
            const qsizetype j = chevronSuivant(t, ici(m_balayage));
            if (j == t.size()) {
                m_balayage = m_base + j;
                if (!fin) {
                    compacte();
                    return;
                }
                // No ">" before the end: text, not a tag.
                m_pos += 1;
                m_etat = Etat::Chevron;
                break;
            }
            if (t.at(j) == QLatin1Char('<')) {
                // A "<" before any ">": the first one was text, this one
                // may open a tag.
                m_pos = m_base + j;
                m_balayage = m_pos + 1;
                break;
            }
            const QStringView dedans = t.sliced(ici(m_pos) + 1, j - ici(m_pos) - 1);
            const Tag tag = litTag(dedans);
            const qsizetype apres = m_base + j + 1;
            if (tag.sorte == Tag::Aucun) {
                m_pos += 1;
                m_etat = Etat::Chevron;
            } else if (tag.sorte == Tag::FinEntete) {
                m_entete = false;
                m_champs.clear();
                m_pos = apres;
                m_etat = Etat::Chevron;
            } else if (tag.sorte == Tag::FinRecord) {
                m_entete = false;
                if (!m_champs.empty())
                    donne(apres, visite);
                m_champs.clear();
                m_pos = apres;
                m_etat = Etat::Chevron;
            } else {
                if (m_champs.empty())
                    m_debutRecord = m_pos;
                m_nom = m_pos + 1 + (tag.nom.data() - dedans.data());
                m_tailleNom = tag.nom.size();
                m_valeur = apres;
                m_valeurLue = apres;
                m_reste = tag.longueur;
                m_longueur = tag.longueur;
                m_octetsLus = 0;
                m_finOctets = tag.longueur == 0 ? apres : -1;
                m_etat = Etat::Valeur;
            }
            break;
        }
        case Etat::Valeur: {
            // n characters, one outside the basic plane (two UTF-16 units)
            // counting as one.
            qsizetype i = ici(m_valeurLue);
            if (!m_utf8) {
                const qsizetype pas = qMin(m_reste, t.size() - i);
                i += pas;
                m_reste -= pas;
            } else {
                const char16_t* d = t.utf16();
                while (m_reste > 0 && i < t.size()) {
                    // Its bytes are all read and a tag follows: the length
                    // counted bytes, as some programs write it.
                    if (m_finOctets >= 0 && d[i] == u'<')
                        break;
                    const bool paire = QChar::isHighSurrogate(d[i]) && i + 1 < t.size() &&
                                       QChar::isLowSurrogate(d[i + 1]);
                    m_octetsLus += paire ? 4 : d[i] < 0x80 ? 1 : d[i] < 0x800 ? 2 : 3;
                    i += paire ? 2 : 1;
                    --m_reste;
                    if (m_finOctets < 0 && m_octetsLus == m_longueur)
                        m_finOctets = m_base + i;
                }
                if (m_reste > 0 && i < t.size()) {
                    m_champs.push_back({m_nom, m_tailleNom, m_valeur, m_finOctets - m_valeur});
                    m_pos = m_finOctets;
                    m_etat = Etat::Chevron;
                    break;
                }
            }
            m_valeurLue = m_base + i;
            if (m_reste > 0) {
                if (!fin) {
                    compacte();
                    return;
                }
                // The value runs past the end of the file.
                if (!m_entete)
                    coupe();
                m_etat = Etat::Fini;
                return;
            }
            m_champs.push_back({m_nom, m_tailleNom, m_valeur, m_valeurLue - m_valeur});
            m_pos = m_valeurLue;
            m_etat = Etat::Chevron;
            break;
        }
        case Etat::Fini:
            return;
        }
    }
}

void Lecteur::donne(qsizetype fin, const Visite& visite)
{
    Enregistrement e;
    e.debut = m_debutRecord;
    e.fin = fin;
    e.texte = QStringView(m_texte).sliced(m_debutRecord - m_base, fin - m_debutRecord).toString();
    const QStringView texte(e.texte);
    e.champs.reserve(m_champs.size());
    for (const Position& p : m_champs) {
        e.champs.push_back({texte.sliced(p.nom - m_debutRecord, p.tailleNom),
                            texte.sliced(p.valeur - m_debutRecord, p.tailleValeur)});
    }
    visite(e);
}

// The record being read is cut by the end of the file: its text, to the
// end, is kept apart, and nothing else is needed any more.
void Lecteur::coupe()
{
    m_tronque = true;
    m_debutTronque = m_debutRecord;
    m_texte.remove(0, m_debutRecord - m_base);
    m_base = m_debutRecord;
    m_texteTronque = std::move(m_texte);
    m_texte = QString();
    m_champs.clear();
}

// The text before what is still needed goes, once it is at least half of
// what is kept: every character is moved a bounded number of times.
void Lecteur::compacte()
{
    const qsizetype garde =
        m_champs.empty() && m_etat != Etat::Valeur ? m_pos : qMin(m_debutRecord, m_pos);
    const qsizetype inutile = garde - m_base;
    if (inutile < 4096 || inutile < m_texte.size() / 2)
        return;
    m_texte.remove(0, inutile);
    m_base = garde;
}

Lecture litOctets(const QByteArray& octets, qsizetype morceau)
{
    Lecture lecture;
    lecture.utf8 = estUtf8(octets);
    Lecteur lecteur(lecture.utf8);
    const auto garde = [&lecture](const Enregistrement& e) {
        lecture.enregistrements.push_back(e);
    };
    const qsizetype pas = morceau > 0 ? morceau : qMax<qsizetype>(octets.size(), 1);
    for (qsizetype i = 0; i < octets.size(); i += pas)
        lecteur.ajoute(QByteArrayView(octets).sliced(i, qMin(pas, octets.size() - i)), garde);
    lecteur.termine(garde);
    lecture.tronque = lecteur.tronque();
    lecture.debutTronque = lecteur.debutTronque();
    lecture.texteTronque = lecteur.texteTronque();
    return lecture;
}

} // namespace Adif
