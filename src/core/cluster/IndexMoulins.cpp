#include "IndexMoulins.h"

#include "core/awards/CarteDepartements.h"
#include "core/log/LogLine.h"
#include "core/platform/FichierTexte.h"

#include <cstring>

namespace {

QByteArrayView champ(QByteArrayView ligne, LogLine::Colonne colonne, bool sansBlancs)
{
    const qsizetype debut = colonne.debut - 1;
    if (debut >= ligne.size())
        return {};
    QByteArrayView v = ligne.sliced(debut, qMin<qsizetype>(colonne.largeur, ligne.size() - debut));
    if (sansBlancs) {
        while (!v.isEmpty() && v.front() == ' ')
            v = v.sliced(1);
        while (!v.isEmpty() && v.back() == ' ')
            v.chop(1);
    }
    return v;
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

IndexMoulins::IndexMoulins()
{
    vide();
}

void IndexMoulins::vide()
{
    m_premiers.clear();
    for (auto& d : m_departements)
        d.reset();
}

int IndexMoulins::indexGroupe(Groupe groupe)
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

int IndexMoulins::cle(int groupe, QByteArrayView reference)
{
    if (reference.size() != 5)
        return -1;
    const int departement = CarteDepartements::caseDepartement(reference.first(2));
    if (departement < 0)
        return -1;
    int numero = 0;
    for (char c : reference.sliced(2)) {
        if (c < '0' || c > '9')
            return -1;
        numero = numero * 10 + (c - '0');
    }
    return (groupe * CarteDepartements::nombreCases + departement) * 1000 + numero;
}

Statut IndexMoulins::construit(const QString& cheminLog)
{
    vide();
    const Statut lu =
        FichierTexte::litChaqueLigne(cheminLog, [this](const char* donnees, qsizetype taille) {
            ajouteLigne(QByteArrayView(donnees, taille));
        });
    if (!lu)
        vide();
    return lu;
}

void IndexMoulins::ajouteLigne(QByteArrayView ligne)
{
    const int bande = bandeStockee(champ(ligne, LogLine::Bande, true));
    if (bande < 0)
        return;
    const int groupe = indexGroupe(tableBandes[size_t(bande)].groupe);
    if (groupe < 0)
        return;
    const int departement =
        CarteDepartements::caseDepartement(champ(ligne, LogLine::Departement, true));
    if (departement >= 0)
        m_departements[size_t(groupe)].set(size_t(departement));
    const int c = cle(groupe, champ(ligne, LogLine::Reference, false));
    if (c < 0 || m_premiers.contains(c))
        return;
    Premier p;
    const QByteArrayView date = champ(ligne, LogLine::Date, false);
    std::memset(p.date.data(), ' ', p.date.size());
    std::memcpy(p.date.data(), date.data(), size_t(qMin<qsizetype>(date.size(), 8)));
    p.bande = qint8(bande);
    m_premiers.insert(c, p);
}

QString IndexMoulins::nom(Etat etat)
{
    switch (etat) {
    case Etat::NouveauMoulin:
        return QStringLiteral("Nouveau moulin");
    case Etat::NouveauDepartement:
        return QStringLiteral("Nouveau département");
    case Etat::DejaContacte:
        return QStringLiteral("Déjà contacté");
    case Etat::HorsGroupe:
        return QStringLiteral("Hors groupe");
    case Etat::SansMoulin:
        break;
    }
    return QString();
}

IndexMoulins::Marque IndexMoulins::marque(const QString& reference, qint64 hz) const
{
    Marque m;
    m.bande = definitionRadio(hz);
    if (reference.isEmpty())
        return m;
    const int groupe = m.bande ? indexGroupe(m.bande->groupe) : -1;
    const QByteArray ref = reference.toLatin1();
    const int c = cle(qMax(groupe, 0), ref);
    if (c < 0)
        return m;
    if (groupe < 0) {
        m.etat = Etat::HorsGroupe;
    } else if (const auto trouve = m_premiers.constFind(c); trouve != m_premiers.constEnd()) {
        m.etat = Etat::DejaContacte;
        const Premier& p = trouve.value();
        m.texte = QStringLiteral("Déjà contacté le %1 sur %2")
                      .arg(QString::fromLatin1(p.date.data(), qsizetype(p.date.size())).trimmed(),
                           QString::fromUtf16(tableBandes[size_t(p.bande)].libelle));
        return m;
    } else {
        const int departement = CarteDepartements::caseDepartement(QByteArrayView(ref).first(2));
        m.etat = m_departements[size_t(groupe)].test(size_t(departement))
                     ? Etat::NouveauMoulin
                     : Etat::NouveauDepartement;
    }
    m.texte = nom(m.etat);
    return m;
}
