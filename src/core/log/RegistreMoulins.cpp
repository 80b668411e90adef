#include "RegistreMoulins.h"

#include "LectureLog.h"
#include "LogLine.h"
#include "ReferenceMoulin.h"
#include "core/platform/Cp1252.h"
#include "core/platform/FichierTexte.h"

#include <algorithm>

namespace {

// 0, 1, 2 for HF, VHF, UHF; -1 for Aucun.
int indexGroupe(Groupe groupe)
{
    switch (groupe) {
    case Groupe::HF:
        return 0;
    case Groupe::VHF:
        return 1;
    case Groupe::UHF:
        return 2;
    case Groupe::Aucun:
        break;
    }
    return -1;
}

// The place in the band table of a band field as stored (blanks around it
// removed, case as it stands, as groupeDe reads it); -1 for another text.
int bandeStockee(QByteArrayView bande)
{
    static const std::array<QByteArray, tableBandes.size()> libelles = [] {
        std::array<QByteArray, tableBandes.size()> l;
        for (size_t i = 0; i < tableBandes.size(); ++i)
            l[i] = QString::fromUtf16(tableBandes[i].libelle).toLatin1();
        return l;
    }();
    for (size_t i = 0; i < libelles.size(); ++i) {
        if (bande == libelles[i])
            return int(i);
    }
    return -1;
}

constexpr int kGroupes = 3;
constexpr int kNumeros = 1000;

// The place of a reference in the stored form in a group; -1 for another
// text. Its characters come one at a time.
template <typename Caractere> int placeStockee(Caractere c, qsizetype taille, int groupe)
{
    if (taille != LogLine::Reference.largeur)
        return -1;
    const QChar departement[2] = {c(0), c(1)};
    if (!ReferenceMoulin::departementValide(QStringView(departement, 2)))
        return -1;
    int numero = 0;
    for (int i = 2; i < 5; ++i) {
        const QChar ch = c(i);
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            return -1;
        numero = numero * 10 + (ch.unicode() - u'0');
    }
    const char d[2] = {char(departement[0].unicode()), char(departement[1].unicode())};
    return (groupe * ReferenceMoulin::numeros +
            ReferenceMoulin::numeroDepartement(QByteArrayView(d, 2))) *
               kNumeros +
           numero;
}

} // namespace

RegistreMoulins::RegistreMoulins()
{
    vide();
}

RegistreMoulins::Cle RegistreMoulins::cle(QByteArrayView reference, int groupe)
{
    if (groupe < 0 || reference.size() != LogLine::Reference.largeur)
        return {};
    const int place = placeStockee([reference](int i) { return QLatin1Char(reference[i]); },
                                   reference.size(), groupe);
    if (place >= 0)
        return {place, true};
    qint64 c = groupe;
    for (const char octet : reference)
        c = (c << 8) | quint8(octet);
    return {c, false};
}

RegistreMoulins::Cle RegistreMoulins::cle(QStringView reference, Groupe groupe)
{
    const int g = indexGroupe(groupe);
    if (g < 0)
        return {};
    const int place =
        placeStockee([reference](int i) { return reference[i]; }, reference.size(), g);
    if (place >= 0)
        return {place, true};
    QByteArray octets;
    if (!Cp1252::encode1252(reference.toString(), &octets))
        return {};
    return cle(QByteArrayView(octets), g);
}

RegistreMoulins::Cle RegistreMoulins::cleLigne(QByteArrayView ligne, int* bande)
{
    *bande = bandeStockee(LectureLog::champSansBlancs(ligne, LogLine::Bande));
    if (*bande < 0)
        return {};
    return cle(LectureLog::champ(ligne, LogLine::Reference),
               indexGroupe(tableBandes[size_t(*bande)].groupe));
}

void RegistreMoulins::vide()
{
    m_places.assign(size_t(kGroupes) * ReferenceMoulin::numeros * kNumeros, -1);
    m_autres.clear();
    m_entrees.clear();
    for (auto& d : m_departements)
        d.reset();
    m_lignes = 0;
}

Statut RegistreMoulins::construit(const QString& cheminLog)
{
    vide();
    const Statut lu =
        LectureLog::parcourir(cheminLog, [this](QByteArrayView ligne) { ajouteLigne(ligne); });
    if (!lu)
        vide();
    return lu;
}

const RegistreMoulins::Entree* RegistreMoulins::trouve(Cle c) const
{
    if (!c.valide())
        return nullptr;
    const qint32 i = c.place ? m_places[size_t(c.valeur)] : m_autres.value(c.valeur, -1);
    return i >= 0 ? &m_entrees[size_t(i)] : nullptr;
}

void RegistreMoulins::ajouteLigne(QByteArrayView ligne)
{
    const qsizetype numero = m_lignes++;
    int bande = -1;
    const Cle c = cleLigne(ligne, &bande);
    if (bande < 0)
        return;
    const int groupe = indexGroupe(tableBandes[size_t(bande)].groupe);
    if (groupe < 0)
        return;
    const int departement = ReferenceMoulin::numeroDepartement(
        LectureLog::champSansBlancs(ligne, LogLine::Departement));
    if (departement >= 0)
        m_departements[size_t(groupe)].set(size_t(departement));
    if (!c.valide() || trouve(c))
        return;
    const auto i = qint32(m_entrees.size());
    m_entrees.push_back(entreeDe(ligne, numero, bande));
    if (c.place)
        m_places[size_t(c.valeur)] = i;
    else
        m_autres.insert(c.valeur, i);
}

RegistreMoulins::Entree RegistreMoulins::entreeDe(QByteArrayView ligne, qsizetype numero, int bande)
{
    Entree e;
    e.ligne = qint32(numero);
    const QByteArrayView date = LectureLog::champ(ligne, LogLine::Date);
    e.tailleDate = qint8(date.size());
    std::copy_n(date.begin(), date.size(), e.date.begin());
    e.bande = qint8(bande);
    return e;
}

RegistreMoulins::Premier RegistreMoulins::premierDe(const Entree& e)
{
    Premier p;
    p.ligne = e.ligne;
    p.date = Cp1252::decode1252(&e.date.front(), e.tailleDate);
    p.bande = QString::fromUtf16(tableBandes[size_t(e.bande)].libelle);
    return p;
}

RegistreMoulins::Premier RegistreMoulins::premier(QStringView reference, Groupe groupe) const
{
    const Entree* e = trouve(cle(reference, groupe));
    return e ? premierDe(*e) : Premier();
}

bool RegistreMoulins::departementContacte(Groupe groupe, int numero) const
{
    const int g = indexGroupe(groupe);
    return g >= 0 && numero >= 0 && numero < ReferenceMoulin::numeros &&
           m_departements[size_t(g)].test(size_t(numero));
}

RegistreMoulins::Premier RegistreMoulins::cherche(const QString& cheminLog, QStringView reference,
                                                  Groupe groupe, Statut* statut)
{
    Premier resultat;
    const Cle voulue = cle(reference, groupe);
    qsizetype numero = 0;
    const Statut lu = LectureLog::parcourir(cheminLog, [&](QByteArrayView ligne) {
        const qsizetype ici = numero++;
        if (!voulue.valide() || resultat.trouve())
            return;
        int bande = -1;
        const Cle c = cleLigne(ligne, &bande);
        if (c.valeur != voulue.valeur || c.place != voulue.place)
            return;
        resultat = premierDe(entreeDe(ligne, ici, bande));
    });
    if (statut)
        *statut = lu;
    return lu ? resultat : Premier();
}
