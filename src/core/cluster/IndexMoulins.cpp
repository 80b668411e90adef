#include "IndexMoulins.h"

#include "core/log/ReferenceMoulin.h"

IndexMoulins::IndexMoulins()
{
    vide();
}

void IndexMoulins::vide()
{
    m_registre.vide();
}

Statut IndexMoulins::construit(const QString& cheminLog)
{
    return m_registre.construit(cheminLog);
}

void IndexMoulins::ajouteLigne(QByteArrayView ligne)
{
    m_registre.ajouteLigne(ligne);
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
    if (!ReferenceMoulin::referenceValide(reference))
        return m;
    const Groupe groupe = m.bande ? m.bande->groupe : Groupe::Aucun;
    if (groupe == Groupe::Aucun) {
        m.etat = Etat::HorsGroupe;
    } else if (const RegistreMoulins::Premier p = m_registre.premier(reference, groupe);
               p.trouve()) {
        m.etat = Etat::DejaContacte;
        m.texte = QStringLiteral("Déjà contacté le %1 sur %2").arg(p.date.trimmed(), p.bande);
        return m;
    } else {
        const int departement = ReferenceMoulin::numeroDepartement(reference.left(2).toLatin1());
        m.etat = m_registre.departementContacte(groupe, departement) ? Etat::NouveauMoulin
                                                                     : Etat::NouveauDepartement;
    }
    m.texte = nom(m.etat);
    return m;
}
