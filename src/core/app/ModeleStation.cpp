#include "ModeleStation.h"

#include "Reglages.h"
#include "core/log/StationLog.h"
#include "core/log/Texte.h"
#include "core/platform/BoiteMessage.h"
#include "core/platform/StockReglages.h"

#include <QDir>
#include <QFileInfo>

namespace {

bool caractereValide(QChar c)
{
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
           (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('_');
}

} // namespace

ModeleStation::ModeleStation(const QString& dossier, StockReglages& reglages,
                             BoiteMessage& messages, QObject* parent)
    : QObject(parent), m_dossier(dossier), m_reglages(reglages), m_messages(messages)
{
}

QString ModeleStation::indicatifEnregistre(const StockReglages& reglages)
{
    const QString lu = reglages.lit(Reglages::sectionGlobale, Reglages::indicatifStation,
                                    Reglages::indicatifAucun);
    // A value edited by hand that is no station callsign names no file: the
    // program starts as if none had been chosen yet.
    return StationLog::indicatifValide(lu) ? lu : Reglages::indicatifAucun;
}

ModeleStation::Refus ModeleStation::verifie(const QString& candidat)
{
    if (candidat.isEmpty())
        return {QStringLiteral("Vous devez entrer un indicatif"), false};
    if (candidat.size() > longueurMaxi)
        return {QStringLiteral("12 caracteres maximum pour l'indicatif"), false};
    for (const QChar c : candidat) {
        if (!caractereValide(c))
            return {QStringLiteral("L'indicatif ne doit comporter que des lettres des chiffres "
                                   "ou le signe '_' "),
                    true};
    }
    // "FXXXX" stored means that no station has been chosen yet: as a station
    // it would bring the first-start question back and refuse every QSO.
    if (candidat == Reglages::indicatifAucun)
        return {QStringLiteral("FXXXX n'est pas un indicatif de station : entrez le vôtre."),
                false};
    return {};
}

QChar ModeleStation::toucheSaisie(QChar c)
{
    return c == QLatin1Char('/') ? QLatin1Char('_') : Texte::majusculeTapee(c);
}

void ModeleStation::chargeStation()
{
    Q_EMIT indicatifCourantChange(indicatifEnregistre(m_reglages));
}

ModeleStation::Issue ModeleStation::valide(const QString& saisie)
{
    const QString candidat = Texte::majusculesTapees(saisie);
    const Refus refus = verifie(candidat);
    if (!refus.message.isEmpty()) {
        m_messages.avise(refus.message);
        return refus.vide ? Issue::RefuseVidage : Issue::Refuse;
    }
    bool accepte = true;
    Q_EMIT changementAAccepter(&accepte);
    if (!accepte)
        return Issue::Refuse;

    Q_EMIT indicatifCourantChange(candidat);
    Q_EMIT stationAffichee(QString());

    const QString section = Reglages::sectionStation(candidat);
    const QFileInfo log(QDir(m_dossier).filePath(StationLog::nomFichier(candidat)));
    if (!log.exists() && !log.isSymLink()) {
        // The settings are written even when the log cannot be created: the
        // reload below then reports the missing log.
        const Statut cree = StationLog::Cree_Log(m_dossier, candidat);
        if (!cree)
            m_messages.avise(cree.message);
        m_reglages.ecrit(Reglages::sectionGlobale, Reglages::indicatifStation, candidat);
        m_reglages.ecritIndex(section, Reglages::bandeUtilisee, 0);
        m_reglages.ecritIndex(section, Reglages::modeUtilise, 0);
    } else {
        m_reglages.ecrit(Reglages::sectionGlobale, Reglages::indicatifStation, candidat);
    }

    QString affiche = m_reglages.lit(Reglages::sectionGlobale, Reglages::indicatifStation,
                                     Reglages::indicatifAucun);
    affiche.replace(QLatin1Char('_'), QLatin1Char('/'));
    Q_EMIT stationAffichee(affiche);

    Q_EMIT bandeModeChoisis(m_reglages.litIndex(section, Reglages::bandeUtilisee, 0),
                            m_reglages.litIndex(section, Reglages::modeUtilise, 0));

    bool charge = true;
    Q_EMIT logARecharger(&charge);
    return charge ? Issue::Accepte : Issue::Fin;
}
