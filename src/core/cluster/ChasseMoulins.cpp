#include "ChasseMoulins.h"

#include "core/log/ReferenceMoulin.h"
#include "core/platform/Horloge.h"

ChasseMoulins::ChasseMoulins(const Horloge& horloge) : m_horloge(horloge) {}

QString ChasseMoulins::cle(const Spot& s)
{
    return s.indicatif + QLatin1Char('|') + QString::number(s.hz) + QLatin1Char('|') + s.heure +
           QLatin1Char('|') + s.spotteur + QLatin1Char('|') + s.reference;
}

ChasseMoulins::Reception ChasseMoulins::recoit(const QList<QByteArray>& lignes)
{
    Reception r;
    QDateTime maintenant;
    for (const QByteArray& l : lignes) {
        std::optional<Spot> spot = Spot::lit(l);
        if (!spot) {
            const QString texte = Spot::texte(l).trimmed();
            if (texte.isEmpty())
                continue;
            if (r.messages.size() == messagesMax)
                r.messages.removeFirst();
            r.messages.append(texte);
            continue;
        }
        const QString c = cle(*spot);
        int& presents = m_presents[c];
        if (presents > 0)
            continue;
        ++presents;
        Ligne ligne{std::move(*spot), {}, ++m_numero};
        ligne.marque = m_index.marque(ligne.spot.reference, ligne.spot.hz);
        if (IndexMoulins::aContacter(ligne.marque.etat)) {
            if (!maintenant.isValid())
                maintenant = m_horloge.utcMaintenant();
            oublieAlertes(maintenant);
            const QString alerte =
                ligne.spot.reference + QLatin1Char('|') + nomGroupe(ligne.marque.bande->groupe);
            if (!m_alertes.contains(alerte)) {
                m_alertes.insert(alerte, maintenant);
                m_ordreAlertes.emplace_back(alerte, maintenant);
                ++r.alertes;
            }
        }
        m_lignes.push_back(std::move(ligne));
        ++r.spots;
        if (qsizetype(m_lignes.size()) > spotsMax) {
            const auto ancienne = m_presents.find(cle(m_lignes.front().spot));
            if (ancienne != m_presents.end() && --ancienne.value() <= 0)
                m_presents.erase(ancienne);
            m_lignes.pop_front();
        }
    }
    return r;
}

// The alerts older than minutesAlerte, or beyond the alertesMax last ones.
void ChasseMoulins::oublieAlertes(const QDateTime& maintenant)
{
    const qint64 duree = qint64(minutesAlerte) * 60;
    while (!m_ordreAlertes.empty()) {
        const auto& [cle, moment] = m_ordreAlertes.front();
        const bool ancienne = moment.secsTo(maintenant) >= duree || moment > maintenant;
        if (!ancienne && qsizetype(m_ordreAlertes.size()) <= alertesMax)
            break;
        m_alertes.remove(cle);
        m_ordreAlertes.pop_front();
    }
}

Statut ChasseMoulins::changeLog(const QString& cheminLog)
{
    const Statut s = m_index.construit(cheminLog);
    for (Ligne& l : m_lignes)
        l.marque = m_index.marque(l.spot.reference, l.spot.hz);
    return s;
}

ChasseMoulins::Annonce ChasseMoulins::annonce(const QString& frequenceKhz, const QString& indicatif,
                                              const QString& reference)
{
    Annonce a;
    qint64 hz = 0;
    const QString appel = indicatif.trimmed().toUpper();
    const QString ref = reference.trimmed().toLower();
    if (!Spot::frequenceKhz(frequenceKhz, &hz)) {
        a.erreur = QStringLiteral("Indiquez la fréquence du QSO en kHz (par exemple 14250.0) : « "
                                  "%1 » n'en est pas une.")
                       .arg(frequenceKhz.trimmed());
    } else if (appel.isEmpty()) {
        a.erreur = QStringLiteral("Le QSO en cours n'a pas d'indicatif : tapez-le d'abord.");
    } else if (!Spot::indicatifValide(appel)) {
        a.erreur = QStringLiteral("L'indicatif « %1 » ne peut pas être annoncé au cluster.")
                       .arg(indicatif.trimmed());
    } else if (!ReferenceMoulin::referenceValide(ref)) {
        a.erreur = QStringLiteral("Le QSO en cours n'a pas de référence de moulin : tapez-la "
                                  "d'abord.");
    } else {
        a.ligne = QStringLiteral("DX %1 %2 KZT %3").arg(Spot::texteKhz(hz), appel, ref.toUpper());
    }
    return a;
}
