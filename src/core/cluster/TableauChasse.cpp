#include "TableauChasse.h"

#include "core/log/LogLine.h"
#include "core/log/ReferenceMoulin.h"
#include "core/platform/Horloge.h"

#include <set>

TableauChasse::TableauChasse(const Horloge& horloge) : m_horloge(horloge) {}

QString TableauChasse::cle(const Spot& s)
{
    return s.indicatif + QLatin1Char('|') + QString::number(s.hz) + QLatin1Char('|') + s.heure +
           QLatin1Char('|') + s.spotteur + QLatin1Char('|') + s.reference;
}

TableauChasse::Reception TableauChasse::recoit(const QList<QByteArray>& lignes)
{
    Reception r;
    QDateTime maintenant;
    for (const QByteArray& ligne : lignes) {
        for (const QByteArrayView l : Spot::morceaux(ligne)) {
            std::optional<Spot> spot = Spot::lit(l);
            if (!spot) {
                QString texte = Spot::texte(l).trimmed();
                if (texte.isEmpty())
                    continue;
                if (texte.size() > longueurMessageMax)
                    texte = texte.left(longueurMessageMax - 1) + QChar(0x2026);
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
            if (!maintenant.isValid())
                maintenant = m_horloge.utcMaintenant();
            Ligne ligne{std::move(*spot), {}, ++m_numero, {}};
            ligne.moment = momentDe(ligne.spot, maintenant);
            ligne.marque = m_index.marque(ligne.spot.reference, ligne.spot.hz);
            if (IndexMoulins::aContacter(ligne.marque.etat)) {
                // The newest spot is named: a history comes the newest first,
                // live spots the newest last.
                if (m_dernierAContacter.isEmpty() || ligne.moment > m_momentDernier ||
                    (ligne.moment == m_momentDernier && ligne.spot.forme == Spot::Forme::Direct)) {
                    m_momentDernier = ligne.moment;
                    m_dernierAContacter =
                        QStringLiteral("%1 KZT %2 (%3)")
                            .arg(ligne.spot.indicatif, ligne.spot.reference.toUpper(),
                                 QString::fromUtf16(ligne.marque.bande->libelle));
                }
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
    }
    return r;
}

const TableauChasse::Ligne* TableauChasse::ligneNumero(quint64 numero) const
{
    if (m_lignes.empty() || numero < m_lignes.front().numero)
        return nullptr;
    const quint64 i = numero - m_lignes.front().numero;
    return i < m_lignes.size() ? &m_lignes[size_t(i)] : nullptr;
}

QStringList TableauChasse::modesVus() const
{
    // Each mode once, the others in alphabetical order after the log's.
    std::set<QString> vus;
    for (const Ligne& l : m_lignes) {
        if (!l.spot.mode.isEmpty())
            vus.insert(l.spot.mode);
    }
    QStringList liste;
    for (const QString& m : listeModes()) {
        if (vus.erase(m))
            liste.append(m);
    }
    for (const QString& m : vus)
        liste.append(m);
    return liste;
}

QDateTime TableauChasse::momentDe(const Spot& spot, const QDateTime& maintenant)
{
    // "1359Z", as Spot has read it: four digits, then Z.
    if (spot.heure.size() != 5)
        return maintenant;
    const auto chiffres = [&spot](int i) {
        return (spot.heure.at(i).unicode() - u'0') * 10 + (spot.heure.at(i + 1).unicode() - u'0');
    };
    const QTime heure(chiffres(0), chiffres(2));
    if (!heure.isValid())
        return maintenant;
    if (!spot.date.isEmpty()) {
        // "7-Dec-2026": the month in English whatever the locale.
        static const QStringList mois = {
            QStringLiteral("jan"), QStringLiteral("feb"), QStringLiteral("mar"),
            QStringLiteral("apr"), QStringLiteral("may"), QStringLiteral("jun"),
            QStringLiteral("jul"), QStringLiteral("aug"), QStringLiteral("sep"),
            QStringLiteral("oct"), QStringLiteral("nov"), QStringLiteral("dec")};
        const QStringList parties = spot.date.split(QLatin1Char('-'));
        const QDate jour(parties.value(2).toInt(),
                         int(mois.indexOf(parties.value(1).toLower())) + 1,
                         parties.value(0).toInt());
        if (jour.isValid())
            return QDateTime(jour, heure, Qt::UTC);
    }
    QDateTime moment(maintenant.date(), heure, Qt::UTC);
    // A few minutes ahead: the node's clock, not yesterday's spot.
    if (moment.secsTo(maintenant) < -5 * 60)
        moment = moment.addDays(-1);
    return moment;
}

QString TableauChasse::age(const QDateTime& moment, const QDateTime& maintenant)
{
    const qint64 minutes = qMax<qint64>(0, moment.secsTo(maintenant) / 60);
    if (minutes < 1)
        return QStringLiteral("à l'instant");
    if (minutes < 60)
        return QStringLiteral("il y a %1 min").arg(minutes);
    if (minutes < 24 * 60)
        return QStringLiteral("il y a %1 h %2")
            .arg(minutes / 60)
            .arg(minutes % 60, 2, 10, QLatin1Char('0'));
    return QStringLiteral("il y a %1 j").arg(minutes / (24 * 60));
}

// The alerts older than minutesAlerte, or beyond the alertesMax last ones.
void TableauChasse::oublieAlertes(const QDateTime& maintenant)
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

Statut TableauChasse::changeLog(const QString& cheminLog)
{
    const Statut s = m_index.construit(cheminLog);
    for (Ligne& l : m_lignes)
        l.marque = m_index.marque(l.spot.reference, l.spot.hz);
    return s;
}

TableauChasse::Annonce TableauChasse::annonce(const QString& frequenceKhz, const QString& indicatif,
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
