#include "Lecture.h"

#include "core/platform/Cp1252.h"

#include <QStringDecoder>

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
    qsizetype apres = 0; // just after the ">"
};

// The tag that starts at the "<" at pos; Aucun when what follows is text.
Tag litTag(QStringView texte, qsizetype pos)
{
    Tag tag;
    const qsizetype fin = texte.indexOf(QLatin1Char('>'), pos + 1);
    if (fin < 0)
        return tag;
    const QStringView dedans = texte.mid(pos + 1, fin - pos - 1);
    if (dedans.isEmpty() || dedans.contains(QLatin1Char('<')))
        return tag;
    tag.apres = fin + 1;
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

// The index just after n characters from pos, a character outside the
// basic plane (two UTF-16 units) counting as one; -1 past the end.
qsizetype avance(QStringView texte, qsizetype pos, qsizetype n, bool paires)
{
    if (!paires)
        return n <= texte.size() - pos ? pos + n : -1;
    qsizetype i = pos;
    for (qsizetype k = 0; k < n; ++k) {
        if (i >= texte.size())
            return -1;
        if (texte.at(i).isHighSurrogate() && i + 1 < texte.size() &&
            texte.at(i + 1).isLowSurrogate())
            i += 2;
        else
            i += 1;
    }
    return i;
}

bool aDesPaires(QStringView texte)
{
    for (const QChar c : texte) {
        if (c.isSurrogate())
            return true;
    }
    return false;
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

Lecture litOctets(const QByteArray& octets)
{
    Lecture lecture;
    lecture.texte = texteFichier(octets, &lecture.utf8);
    const QStringView texte(lecture.texte);
    const bool paires = lecture.utf8 && aDesPaires(texte);

    // Until <eoh>, fields belong to the header; a file whose header lacks
    // its <eoh> has its first record ended by the first <eor>.
    bool entete = !texte.startsWith(QLatin1Char('<'));
    Enregistrement courant;
    qsizetype pos = texte.indexOf(QLatin1Char('<'));
    while (pos >= 0) {
        const Tag tag = litTag(texte, pos);
        if (tag.sorte == Tag::Aucun) {
            pos = texte.indexOf(QLatin1Char('<'), pos + 1);
            continue;
        }
        if (tag.sorte == Tag::FinEntete) {
            entete = false;
            courant = Enregistrement();
        } else if (tag.sorte == Tag::FinRecord) {
            entete = false;
            if (!courant.champs.empty()) {
                courant.fin = tag.apres;
                lecture.enregistrements.push_back(std::move(courant));
            }
            courant = Enregistrement();
        } else {
            const qsizetype finValeur = avance(texte, tag.apres, tag.longueur, paires);
            if (courant.champs.empty())
                courant.debut = pos;
            if (finValeur < 0) {
                // The value runs past the end of the file.
                if (!entete) {
                    lecture.tronque = true;
                    lecture.debutTronque = courant.debut;
                }
                return lecture;
            }
            courant.champs.push_back({tag.nom, texte.mid(tag.apres, finValeur - tag.apres)});
            pos = texte.indexOf(QLatin1Char('<'), finValeur);
            continue;
        }
        pos = texte.indexOf(QLatin1Char('<'), tag.apres);
    }
    if (!entete && !courant.champs.empty()) {
        lecture.tronque = true;
        lecture.debutTronque = courant.debut;
    }
    return lecture;
}

} // namespace Adif
