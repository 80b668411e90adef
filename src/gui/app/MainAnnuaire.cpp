// The online callbook (MainAnnuaire.cpp): the first name of a callsign the
// first-name memory does not know, its settings window from the menu
// "Trafic", and its password, kept by the system's keychain or asked once
// for the session where none answers.

#include "Main.h"

#include "Annuaire_En_Ligne.h"
#include "MotDePasseAnnuaire.h"
#include "core/callbook/Annuaire.h"
#include "core/platform/Trousseau.h"
#include "gui/entry/LiaisonSaisie.h"
#include "gui/platform/Apparence.h"

#include <QLineEdit>
#include <QStatusBar>
#include <QTimer>

namespace {

// The name of the password in the keychain: one for each service and user.
QString nomSecret(const ReglagesAnnuaire& r)
{
    return QStringLiteral("annuaire/%1/%2").arg(r.nomService(), r.utilisateur);
}

} // namespace

void Main::construitAnnuaire()
{
    m_annuaire = new Annuaire(this);
    ModeleSaisie& modele = m_liaison->modele();
    connect(&modele, &ModeleSaisie::indicatifInconnu, this,
            [this](const QString& indicatif) { m_annuaire->cherche(indicatif); });
    connect(m_annuaire, &Annuaire::prenomTrouve, this,
            [this](const QString& indicatif, const QString& prenom) {
                bool pris = false;
                m_liaison->agit(
                    [&] { pris = m_liaison->modele().prenomAnnuaire(indicatif, prenom); });
                if (!pris)
                    return;
                statusBar()->show();
                statusBar()->showMessage(QStringLiteral("Annuaire : %1 (%2)")
                                             .arg(prenom, m_annuaire->reglages().nomService()));
            });
    connect(m_annuaire, &Annuaire::message, this, [this](const QString& texte) {
        statusBar()->show();
        statusBar()->showMessage(texte);
    });
}

void Main::appliqueAnnuaire()
{
    const ReglagesAnnuaire r = ReglagesAnnuaire::lit(m_services.reglages);
    if (!r.defaut().isEmpty()) {
        m_annuaire->configure(r, QString());
        return;
    }
    const auto avecMotDePasse = [this, r](bool disponible, bool trouve, const QString& secret) {
        if (trouve)
            return m_annuaire->configure(r, secret);
        if (m_motDePasseSession.contains(nomSecret(r)))
            return m_annuaire->configure(r, m_motDePasseSession.value(nomSecret(r)));
        Q_UNUSED(disponible);
        // Asked once for the session, once the window is drawn.
        QTimer::singleShot(0, this, [this, r] {
            MotDePasseAnnuaire demande(
                QStringLiteral("Mot de passe de l'annuaire %1 pour l'identifiant « %2 » (gardé "
                               "pour cette session seulement) :")
                    .arg(r.nomService(), r.utilisateur),
                this);
            if (demande.exec() != QDialog::Accepted)
                return;
            m_motDePasseSession.insert(nomSecret(r), demande.Mot_De_Passe->text());
            m_annuaire->configure(r, demande.Mot_De_Passe->text());
        });
    };
    if (m_services.trousseau)
        m_services.trousseau->lit(nomSecret(r), avecMotDePasse);
    else
        avecMotDePasse(false, false, QString());
}

void Main::Mnu_Annuaire_Click()
{
    Apparence::ouvreUneFois<Annuaire_En_Ligne>(this, [this] {
        return new Annuaire_En_Ligne(
            m_services.reglages, m_indicatif,
            [this](const ReglagesAnnuaire& r, const QString& motDePasse) {
                if (motDePasse.isEmpty())
                    return appliqueAnnuaire();
                // Kept by the keychain; where none answers, for the session.
                m_motDePasseSession.insert(nomSecret(r), motDePasse);
                m_annuaire->configure(r, motDePasse);
                if (m_services.trousseau)
                    m_services.trousseau->ecrit(nomSecret(r), motDePasse, [](bool) {});
            },
            this);
    });
}
