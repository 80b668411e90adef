#include "Spot.h"

#include "core/log/Groupe.h"

#include <array>

namespace {

bool chiffre(char c)
{
    return c >= '0' && c <= '9';
}
char minuscule(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}
bool alphanumerique(char c)
{
    return chiffre(c) || (minuscule(c) >= 'a' && minuscule(c) <= 'z');
}

// A piece of a line between blanks, and where it stands.
struct Mot {
    qsizetype debut = 0;
    qsizetype fin = 0; // one past its last byte
};

// The pieces of the line from `depuis` on; at most `max` of them, the last
// one then running to the end of the line.
std::array<Mot, 4> premiersMots(QByteArrayView l, qsizetype depuis, int* nombre)
{
    std::array<Mot, 4> mots{};
    int n = 0;
    qsizetype i = depuis;
    while (n < int(mots.size())) {
        while (i < l.size() && l[i] == ' ')
            ++i;
        if (i == l.size())
            break;
        const qsizetype debut = i;
        while (i < l.size() && l[i] != ' ')
            ++i;
        mots[size_t(n++)] = {debut, i};
    }
    *nombre = n;
    return mots;
}

// The last pieces of the line after `depuis`, the last one first.
std::array<Mot, 3> derniersMots(QByteArrayView l, qsizetype depuis, int* nombre)
{
    std::array<Mot, 3> mots{};
    int n = 0;
    qsizetype i = l.size();
    while (n < int(mots.size())) {
        while (i > depuis && l[i - 1] == ' ')
            --i;
        if (i == depuis)
            break;
        const qsizetype fin = i;
        while (i > depuis && l[i - 1] != ' ')
            --i;
        mots[size_t(n++)] = {i, fin};
    }
    *nombre = n;
    return mots;
}

QByteArrayView piece(QByteArrayView l, const Mot& m)
{
    return l.sliced(m.debut, m.fin - m.debut);
}

// "1359Z": hours and minutes of a day, then Z.
bool estHeure(QByteArrayView m)
{
    if (m.size() != 5 || (m[4] != 'Z' && m[4] != 'z'))
        return false;
    for (int i = 0; i < 4; ++i) {
        if (!chiffre(m[i]))
            return false;
    }
    return (m[0] - '0') * 10 + (m[1] - '0') < 24 && m[2] < '6';
}

// "7-Dec-2026" or "07-Dec-2026".
bool estDate(QByteArrayView m)
{
    const qsizetype t = m.indexOf('-');
    if (t < 1 || t > 2 || m.size() != t + 9 || m[t + 4] != '-')
        return false;
    for (qsizetype i = 0; i < t; ++i) {
        if (!chiffre(m[i]))
            return false;
    }
    for (qsizetype i = t + 1; i < t + 4; ++i) {
        if (!alphanumerique(m[i]) || chiffre(m[i]))
            return false;
    }
    for (qsizetype i = t + 5; i < m.size(); ++i) {
        if (!chiffre(m[i]))
            return false;
    }
    return true;
}

// A callsign as spotted: letters, digits and "/", at most 20 characters,
// with at least one letter and one digit.
bool estIndicatif(QByteArrayView m)
{
    if (m.isEmpty() || m.size() > 20)
        return false;
    bool lettre = false, nombre = false;
    for (char c : m) {
        if (chiffre(c))
            nombre = true;
        else if (alphanumerique(c))
            lettre = true;
        else if (c != '/')
            return false;
    }
    return lettre && nombre;
}

// kHz with a decimal point, to Hz (the first three decimals).
bool khzEnHz(QByteArrayView m, qint64* hz)
{
    qint64 entier = 0;
    qsizetype i = 0;
    for (; i < m.size() && chiffre(m[i]); ++i) {
        if (i >= 12)
            return false;
        entier = entier * 10 + (m[i] - '0');
    }
    if (i == 0)
        return false;
    qint64 fraction = 0;
    int decimales = 0;
    if (i < m.size()) {
        if (m[i] != '.' || i + 1 == m.size())
            return false;
        for (++i; i < m.size(); ++i) {
            if (!chiffre(m[i]) || decimales == 3)
                return false;
            fraction = fraction * 10 + (m[i] - '0');
            ++decimales;
        }
    }
    for (; decimales < 3; ++decimales)
        fraction *= 10;
    const qint64 valeur = entier * 1000 + fraction;
    if (valeur < Spot::hzMin || valeur > Spot::hzMax)
        return false;
    *hz = valeur;
    return true;
}

QString majuscules(QByteArrayView m)
{
    return Spot::texte(m).toUpper();
}

// Whether "DX de " starts at i, in any case.
bool dxDe(QByteArrayView l, qsizetype i)
{
    return i + 6 <= l.size() && minuscule(l[i]) == 'd' && minuscule(l[i + 1]) == 'x' &&
           l[i + 2] == ' ' && minuscule(l[i + 3]) == 'd' && minuscule(l[i + 4]) == 'e' &&
           l[i + 5] == ' ';
}

// Whether the "DX de " at i is where the line, or a node's prompt, leaves
// off: nothing but blanks since `depuis`, or since a prompt's ">".
bool dxDeEnTete(QByteArrayView l, qsizetype depuis, qsizetype i)
{
    qsizetype avant = i;
    while (avant > depuis && l[avant - 1] == ' ')
        --avant;
    return avant == depuis || l[avant - 1] == '>';
}

bool directEntier(QByteArrayView l, qsizetype i);

// Whether the text from `depuis` is a message that may quote a spot: an
// announcement ("To ALL de F5ABC: ...") or a talk ("F4ABC de F5ABC: ...").
bool message(QByteArrayView l, qsizetype depuis)
{
    int n = 0;
    const std::array<Mot, 4> mots = premiersMots(l, depuis, &n);
    if (n < 2)
        return false;
    const QByteArrayView premier = piece(l, mots[0]);
    if (premier.compare("to", Qt::CaseInsensitive) == 0)
        return true;
    return estIndicatif(premier) && piece(l, mots[1]).compare("de", Qt::CaseInsensitive) == 0;
}

// Whether a live spot glued after other text starts at i.
bool directColle(QByteArrayView l, qsizetype depuis, qsizetype i)
{
    return dxDe(l, i) && !dxDeEnTete(l, depuis, i) && !message(l, depuis) && directEntier(l, i);
}

// Where the live spot's "DX de " starts: at the start of the line, right
// after a node's prompt ("... dxspider >DX de ..."), or after any other
// text but a message when a whole spot follows (directEntier); -1 when
// there is none.
qsizetype debutDirect(QByteArrayView l)
{
    for (qsizetype i = 0; i + 6 <= l.size(); ++i) {
        if ((dxDe(l, i) && dxDeEnTete(l, 0, i)) || directColle(l, 0, i))
            return i;
    }
    return -1;
}

// The time, and a grid or zone after it, among the last pieces after
// `depuis`; the comment runs up to where the time starts.
void heureEtLieu(QByteArrayView l, qsizetype depuis, Spot* s, qsizetype* finCommentaire)
{
    *finCommentaire = l.size();
    int n = 0;
    const std::array<Mot, 3> fin = derniersMots(l, depuis, &n);
    for (int k = 0; k < n && k < 2; ++k) {
        if (!estHeure(piece(l, fin[size_t(k)])))
            continue;
        if (k == 1) {
            const QByteArrayView lieu = piece(l, fin[0]);
            if (lieu.size() > 6)
                return;
            for (char c : lieu) {
                if (!alphanumerique(c))
                    return;
            }
            s->lieu = Spot::texte(lieu).toUpper();
        }
        s->heure = Spot::texte(piece(l, fin[size_t(k)])).toUpper();
        *finCommentaire = fin[size_t(k)].debut;
        return;
    }
    // A comment cut by the node right against the time: "...moulin1359Z".
    if (n > 0) {
        const QByteArrayView dernier = piece(l, fin[0]);
        if (dernier.size() > 5 && estHeure(dernier.last(5))) {
            s->heure = Spot::texte(dernier.last(5)).toUpper();
            *finCommentaire = fin[0].fin - 5;
        }
    }
}

std::optional<Spot> litDirect(QByteArrayView l, qsizetype debut)
{
    Spot s;
    s.forme = Spot::Forme::Direct;
    qsizetype i = debut + 6;
    while (i < l.size() && l[i] == ' ')
        ++i;
    const qsizetype debutSpotteur = i;
    while (i < l.size() && l[i] != ':' && l[i] != ' ')
        ++i;
    const qsizetype finSpotteur = i;
    while (i < l.size() && l[i] == ' ')
        ++i;
    if (finSpotteur == debutSpotteur || finSpotteur - debutSpotteur > 32 || i == l.size())
        return std::nullopt;
    // Some nodes write a long spotter without its colon ("DX de EI55WAW
    // 7046.5 ..."): the frequency that must follow tells it from any text.
    if (l[i] == ':')
        ++i;
    s.spotteur = majuscules(l.sliced(debutSpotteur, finSpotteur - debutSpotteur));

    int n = 0;
    const std::array<Mot, 4> mots = premiersMots(l, i, &n);
    if (n < 2 || !khzEnHz(piece(l, mots[0]), &s.hz) || !estIndicatif(piece(l, mots[1])))
        return std::nullopt;
    s.indicatif = majuscules(piece(l, mots[1]));

    qsizetype finCommentaire = 0;
    heureEtLieu(l, mots[1].fin, &s, &finCommentaire);
    s.commentaire = Spot::texte(l.sliced(mots[1].fin, finCommentaire - mots[1].fin)).trimmed();
    return s;
}

// Whether a whole live spot starts at i, as one glued after other text
// must be: a spotter that is a callsign (with its "-2" after it, if any), a
// frequency in a band of the log, a callsign, and its time at the end.
bool directEntier(QByteArrayView l, qsizetype i)
{
    const std::optional<Spot> s = litDirect(l, i);
    if (!s || s->heure.isEmpty() || !definitionRadio(s->hz))
        return false;
    const qsizetype tiret = s->spotteur.indexOf(QLatin1Char('-'));
    return Spot::indicatifValide(tiret < 0 ? s->spotteur : s->spotteur.first(tiret));
}

std::optional<Spot> litHistorique(QByteArrayView l)
{
    int n = 0;
    const std::array<Mot, 4> mots = premiersMots(l, 0, &n);
    Spot s;
    s.forme = Spot::Forme::Historique;
    if (n < 4 || !khzEnHz(piece(l, mots[0]), &s.hz) || !estIndicatif(piece(l, mots[1])) ||
        !estDate(piece(l, mots[2])) || !estHeure(piece(l, mots[3])))
        return std::nullopt;
    s.indicatif = majuscules(piece(l, mots[1]));
    s.date = Spot::texte(piece(l, mots[2]));
    s.heure = Spot::texte(piece(l, mots[3])).toUpper();

    qsizetype finCommentaire = l.size();
    int m = 0;
    const std::array<Mot, 3> fin = derniersMots(l, mots[3].fin, &m);
    if (m > 0) {
        const QByteArrayView dernier = piece(l, fin[0]);
        if (dernier.size() > 2 && dernier.front() == '<' && dernier.back() == '>') {
            s.spotteur = majuscules(dernier.sliced(1, dernier.size() - 2));
            finCommentaire = fin[0].debut;
        }
    }
    s.commentaire = Spot::texte(l.sliced(mots[3].fin, finCommentaire - mots[3].fin)).trimmed();
    return s;
}

// Whether a history spot starts at i, after blanks: a frequency, a
// callsign, a date and a time. The frequency is looked at first, so that
// each place of a line of garbage costs a few bytes.
bool debutHistorique(QByteArrayView l, qsizetype i)
{
    while (i < l.size() && l[i] == ' ')
        ++i;
    qsizetype j = i;
    while (j < l.size() && j - i <= 16 && (chiffre(l[j]) || l[j] == '.'))
        ++j;
    qint64 hz = 0;
    if (j == i || j == l.size() || l[j] != ' ' || !khzEnHz(l.sliced(i, j - i), &hz))
        return false;
    int n = 0;
    const std::array<Mot, 4> mots = premiersMots(l, j, &n);
    return n >= 3 && estIndicatif(piece(l, mots[0])) && estDate(piece(l, mots[1])) &&
           estHeure(piece(l, mots[2]));
}

} // namespace

QList<QByteArrayView> Spot::morceaux(QByteArrayView ligne)
{
    QList<QByteArrayView> pieces;
    qsizetype debut = 0;
    for (qsizetype i = 0; i < ligne.size(); ++i) {
        if (ligne[i] == '>' && debutHistorique(ligne, i + 1)) {
            pieces.append(ligne.sliced(debut, i + 1 - debut));
            debut = i + 1;
        } else if (i > debut && directColle(ligne, debut, i)) {
            // A live spot right after a prompt is read with its prompt
            // (lit()); after any other text, or glued to the end of another
            // spot ("...0800ZDX de"), it is a piece of its own.
            pieces.append(ligne.sliced(debut, i - debut));
            debut = i;
        }
    }
    pieces.append(ligne.sliced(debut));
    return pieces;
}

QString Spot::texteKhz(qint64 hz)
{
    const qint64 centaines = (hz + 50) / 100;
    return QStringLiteral("%1.%2").arg(centaines / 10).arg(centaines % 10);
}

std::optional<Spot> Spot::lit(QByteArrayView ligne)
{
    const qsizetype debut = debutDirect(ligne);
    std::optional<Spot> s = debut >= 0 ? litDirect(ligne, debut) : litHistorique(ligne);
    if (s) {
        s->reference = referenceDans(s->commentaire);
        s->modeRadio = modeRadioDans(s->commentaire, s->hz);
        s->mode = modeDans(s->commentaire);
        if (s->mode.isEmpty())
            s->mode = modePlan(s->hz);
    }
    return s;
}

bool Spot::indicatifValide(QByteArrayView indicatif)
{
    return estIndicatif(indicatif);
}

bool Spot::indicatifValide(const QString& indicatif)
{
    for (QChar c : indicatif) {
        if (c.unicode() > 0x7F)
            return false;
    }
    return estIndicatif(indicatif.toLatin1());
}

bool Spot::frequenceKhz(QStringView texte, qint64* hz)
{
    QByteArray chiffres;
    for (QChar c : texte) {
        if (c == QLatin1Char(' ') || c == QChar(0x00A0) || c == QChar(0x202F))
            continue;
        if (c == QLatin1Char(','))
            c = QLatin1Char('.');
        if (c.unicode() > 0x7F)
            return false;
        chiffres += char(c.unicode());
    }
    return khzEnHz(chiffres, hz);
}
