#include "RegistreMoulins.h"

#include "LectureLog.h"
#include "LogLine.h"
#include "ReferenceMoulin.h"
#include "core/platform/Cp1252.h"
#include "core/platform/FichierTexte.h"

#include <cstring>

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

} // namespace

qint64 RegistreMoulins::cle(QByteArrayView reference, int groupe)
{
    if (groupe < 0 || reference.size() != LogLine::Reference.largeur)
        return -1;
    qint64 c = groupe;
    for (const char octet : reference)
        c = (c << 8) | quint8(octet);
    return c;
}

qint64 RegistreMoulins::cle(QStringView reference, Groupe groupe)
{
    QByteArray octets;
    if (!Cp1252::encode1252(reference.toString(), &octets))
        return -1;
    return cle(QByteArrayView(octets), indexGroupe(groupe));
}

qint64 RegistreMoulins::cleLigne(QByteArrayView ligne, int* bande)
{
    *bande = bandeStockee(LectureLog::champSansBlancs(ligne, LogLine::Bande));
    if (*bande < 0)
        return -1;
    return cle(LectureLog::champ(ligne, LogLine::Reference),
               indexGroupe(tableBandes[size_t(*bande)].groupe));
}

void RegistreMoulins::vide()
{
    m_premiers.clear();
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

void RegistreMoulins::ajouteLigne(QByteArrayView ligne)
{
    const qsizetype numero = m_lignes++;
    int bande = -1;
    const qint64 c = cleLigne(ligne, &bande);
    if (bande < 0)
        return;
    const int groupe = indexGroupe(tableBandes[size_t(bande)].groupe);
    if (groupe < 0)
        return;
    const int departement = ReferenceMoulin::numeroDepartement(
        LectureLog::champSansBlancs(ligne, LogLine::Departement));
    if (departement >= 0)
        m_departements[size_t(groupe)].set(size_t(departement));
    if (c < 0 || m_premiers.contains(c))
        return;
    m_premiers.insert(c, entreeDe(ligne, numero, bande));
}

RegistreMoulins::Entree RegistreMoulins::entreeDe(QByteArrayView ligne, qsizetype numero, int bande)
{
    Entree e;
    e.ligne = qint32(numero);
    const QByteArrayView date = LectureLog::champ(ligne, LogLine::Date);
    e.tailleDate = qint8(date.size());
    std::memcpy(e.date.data(), date.data(), size_t(date.size()));
    e.bande = qint8(bande);
    return e;
}

RegistreMoulins::Premier RegistreMoulins::premierDe(const Entree& e)
{
    Premier p;
    p.ligne = e.ligne;
    p.date = Cp1252::decode1252(e.date.data(), e.tailleDate);
    p.bande = QString::fromUtf16(tableBandes[size_t(e.bande)].libelle);
    return p;
}

RegistreMoulins::Premier RegistreMoulins::premier(QStringView reference, Groupe groupe) const
{
    const qint64 c = cle(reference, groupe);
    if (c < 0)
        return {};
    const auto trouve = m_premiers.constFind(c);
    return trouve == m_premiers.constEnd() ? Premier() : premierDe(trouve.value());
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
    const qint64 voulue = cle(reference, groupe);
    qsizetype numero = 0;
    const Statut lu = LectureLog::parcourir(cheminLog, [&](QByteArrayView ligne) {
        const qsizetype ici = numero++;
        if (voulue < 0 || resultat.trouve())
            return;
        int bande = -1;
        if (cleLigne(ligne, &bande) != voulue)
            return;
        resultat = premierDe(entreeDe(ligne, ici, bande));
    });
    if (statut)
        *statut = lu;
    return lu ? resultat : Premier();
}
