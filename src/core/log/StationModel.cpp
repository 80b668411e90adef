#include "StationModel.h"

#include "StationLog.h"
#include "Texte.h"
#include "core/app/SettingsKeys.h"
#include "core/platform/MessageBox.h"
#include "core/platform/SettingsStore.h"

#include <QDir>
#include <QFileInfo>

namespace {

bool caractereValide(QChar c)
{
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
           (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('_');
}

} // namespace

StationModel::StationModel(const QString& dossier, SettingsStore& reglages, MessageBox& messages,
                           QObject* parent)
    : QObject(parent), m_dossier(dossier), m_reglages(reglages), m_messages(messages)
{
}

QString StationModel::Indicatif_Enregistre(const SettingsStore& reglages)
{
    const QString lu = reglages.read(Reglages::Section_Globale, Reglages::Indicatif_Station,
                                     Reglages::Indicatif_Aucun);
    // A value edited by hand that is no station callsign names no file: the
    // program starts as if none had been chosen yet.
    return StationLog::Indicatif_Valide(lu) ? lu : Reglages::Indicatif_Aucun;
}

StationModel::Refus StationModel::Verifie(const QString& candidat)
{
    if (candidat.isEmpty())
        return {QStringLiteral("Vous devez entrer un indicatif"), false};
    if (candidat.size() > Longueur_Maxi)
        return {QStringLiteral("12 caracteres maximum pour l'indicatif"), false};
    for (const QChar c : candidat) {
        if (!caractereValide(c))
            return {QStringLiteral("L'indicatif ne doit comporter que des lettres des chiffres "
                                   "ou le signe '_' "),
                    true};
    }
    // "FXXXX" stored means that no station has been chosen yet: as a station
    // it would bring the first-start question back and refuse every QSO.
    if (candidat == Reglages::Indicatif_Aucun)
        return {QStringLiteral("FXXXX n'est pas un indicatif de station : entrez le vôtre."),
                false};
    return {};
}

QChar StationModel::Touche(QChar c)
{
    return c == QLatin1Char('/') ? QLatin1Char('_') : Texte::Majuscule_Tapee(c);
}

void StationModel::Charge()
{
    Q_EMIT indicatifCourantChange(Indicatif_Enregistre(m_reglages));
}

StationModel::Issue StationModel::Validation(const QString& saisie)
{
    const QString candidat = Texte::Majuscules_Tapees(saisie);
    const Refus refus = Verifie(candidat);
    if (!refus.message.isEmpty()) {
        m_messages.notice(refus.message);
        return refus.vide ? Issue::Refuse_Vidage : Issue::Refuse;
    }

    Q_EMIT indicatifCourantChange(candidat);
    Q_EMIT stationAffichee(QString());

    const QString section = Reglages::Section_Station(candidat);
    const QFileInfo log(QDir(m_dossier).filePath(StationLog::Nom_Fichier(candidat)));
    if (!log.exists() && !log.isSymLink()) {
        // The settings are written even when the log cannot be created: the
        // reload below then reports the missing log.
        const Status cree = StationLog::Cree_Log(m_dossier, candidat);
        if (!cree)
            m_messages.notice(cree.message);
        m_reglages.write(Reglages::Section_Globale, Reglages::Indicatif_Station, candidat);
        m_reglages.writeIndex(section, Reglages::Bande_Utilisee, 0);
        m_reglages.writeIndex(section, Reglages::Mode_Utilise, 0);
    } else {
        m_reglages.write(Reglages::Section_Globale, Reglages::Indicatif_Station, candidat);
    }

    QString affiche = m_reglages.read(Reglages::Section_Globale, Reglages::Indicatif_Station,
                                      Reglages::Indicatif_Aucun);
    affiche.replace(QLatin1Char('_'), QLatin1Char('/'));
    Q_EMIT stationAffichee(affiche);

    Q_EMIT bandeModeChoisis(m_reglages.readIndex(section, Reglages::Bande_Utilisee, 0),
                            m_reglages.readIndex(section, Reglages::Mode_Utilise, 0));

    bool charge = true;
    Q_EMIT logARecharger(&charge);
    return charge ? Issue::Accepte : Issue::Fin;
}
