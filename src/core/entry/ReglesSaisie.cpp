#include "ReglesSaisie.h"

#include "ReglesChamps.h"
#include "core/app/HorlogeLue.h"
#include "core/log/FirstNameMemory.h"
#include "core/log/Groupe.h"
#include "core/log/ModesLog.h"
#include "core/log/MoulinContacte.h"
#include "core/log/StationLog.h"
#include "core/log/Texte.h"
#include "core/platform/BoiteMessage.h"
#include "core/platform/Cp1252.h"

// The Enter rule of each field, and the same checks again before a QSO is
// stored.

namespace {

QString nomDuChamp(EtatSaisie::Controle c)
{
    namespace N = ReglesChamps::Noms;
    switch (c) {
    case EtatSaisie::Ind_A:
        return N::Indicatif;
    case EtatSaisie::Prenom_A:
        return N::Prenom;
    case EtatSaisie::Dpt_A:
        return N::Departement;
    case EtatSaisie::Ref_A:
        return N::Reference;
    case EtatSaisie::Date_A:
        return N::Date;
    case EtatSaisie::Heure_A:
        return N::Heure;
    case EtatSaisie::Mode_A:
        return N::Mode;
    case EtatSaisie::Bande_A:
        return N::Bande;
    case EtatSaisie::RST_A:
        return N::RST_Recu;
    case EtatSaisie::RSTE_A:
        return N::RST_Envoye;
    case EtatSaisie::Rem_A:
        return N::Nom_Moulin;
    default:
        return QString();
    }
}

} // namespace

// A line break, tab or other control character would split or shift the
// stored line: it is refused whichever way it came in (typed or pasted).
bool ReglesSaisie::verifieControles(Controle c)
{
    const QString message = Texte::messageControle(nomDuChamp(c), m_etat[c].texte);
    return message.isEmpty() || refuse(message);
}

// A character that the log file cannot hold (Cyrillic, Greek, emoji...) is
// refused at once rather than stored as something else.
bool ReglesSaisie::verifieCaracteres(Controle c)
{
    qsizetype mauvais = 0;
    if (Cp1252::estCodable(m_etat[c].texte, &mauvais))
        return true;
    return refuse(QStringLiteral("Le caractère %1 du champ %2 ne peut pas être enregistré dans le "
                                 "log. Remplacez-le.")
                      .arg(Cp1252::decrit(m_etat[c].texte, mauvais), nomDuChamp(c)));
}

QString ReglesSaisie::messageBande(const QString& texte)
{
    return ReglesChamps::messageBandeChoisie(texte);
}

void ReglesSaisie::regle(Controle c)
{
    QString& texte = m_etat[c].texte;
    if (c != QSL_A && !verifieControles(c))
        return;
    switch (c) {
    case Ind_A:
        return regleIndicatif(c);
    case Prenom_A:
        if (refuseSi(ReglesChamps::controlePrenom(texte)))
            return;
        if (!verifieCaracteres(c))
            return;
        return accepte(Prenom_A, Dpt_A);
    case Dpt_A:
        if (texte.isEmpty())
            return void(refuse(ReglesChamps::controleDepartement(texte)));
        texte = texte.toLower();
        if (refuseSi(ReglesChamps::controleDepartement(texte)))
            return;
        if (!verifieCaracteres(c))
            return;
        return accepte(Dpt_A, Ref_A);
    case Ref_A:
        return regleReference(c);
    case Date_A:
        if (refuseSi(ReglesChamps::controleDate(texte)))
            return;
        return accepte(Date_A, Heure_A);
    case Heure_A:
        if (refuseSi(ReglesChamps::controleHeure(texte)))
            return;
        return accepte(Heure_A, Mode_A);
    case Mode_A:
        if (refuseSi(ReglesChamps::controleMode(texte)))
            return;
        if (!verifieCaracteres(c))
            return;
        // The mode as the log holds it: "RTTY" typed becomes "RTY".
        texte = ModesLog::court(texte);
        prendItem(Mode_A);
        if (!m_modeModif) {
            radioRetenue(Mode_A) = -1;
            memoriseIndex(Mode_A);
        }
        return accepte(Mode_A, RST_A);
    case Bande_A:
        return regleBande(c);
    case RST_A:
    case RSTE_A:
        return regleReport(c);
    case Rem_A:
        if (refuseSi(ReglesChamps::controleNomMoulin(texte)))
            return;
        if (!verifieCaracteres(c))
            return;
        return accepte(Rem_A, QSL_A);
    case QSL_A:
        return accepte(QSL_A, Valide_A);
    default:
        return;
    }
}

// Ind_A: the first name and department remembered for the callsign come
// with it.
void ReglesSaisie::regleIndicatif(Controle c)
{
    QString& texte = m_etat[c].texte;
    if (refuseSi(ReglesChamps::controleIndicatif(texte)))
        return;
    if (!verifieCaracteres(c))
        return;
    if (!m_modeModif) {
        Statut lu;
        const FirstNameMemory::Trouve t = FirstNameMemory(m_dossier).Cherche_Prenom(texte, &lu);
        if (!lu)
            m_messages.avise(lu.message);
        if (t.trouve) {
            m_etat[Dpt_A].texte = t.departement;
            m_etat[Prenom_A].texte = t.prenom;
        } else if (lu) {
            m_indicatifAChercher = texte;
        }
    }
    return accepte(Ind_A, Prenom_A);
}

// Ref_A: a windmill already contacted in the band group ends the QSO; the
// date comes from the clock in the automatic date mode.
void ReglesSaisie::regleReference(Controle c)
{
    QString& texte = m_etat[c].texte;
    texte = texte.toLower();
    if (refuseSi(ReglesChamps::controleReference(texte, m_etat[Dpt_A].texte)))
        return;
    if (!verifieCaracteres(c))
        return;
    if (!m_modeModif && dejaContacte())
        return;
    jaune(Ref_A);
    if (m_dateAuto && !m_modeInsertion && !m_modeModif) {
        active(Mode_A);
        vert(Mode_A);
        const HorlogeLue h = litHorloge(m_horloge);
        m_etat[Date_A].texte = h.dateUtc;
        m_etat[Heure_A].texte = h.heureUtc.left(5);
        m_etat[Rem_A].texte = QStringLiteral("M. ");
        donneFocus(Mode_A);
    } else {
        active(Date_A);
        vert(Date_A);
        donneFocus(Date_A);
    }
}

// A windmill already contacted in the group of the band: said, and the QSO
// being entered is dropped. Found again at the save, after the band changed,
// the QSO stays as it is for the operator to correct the band or the
// reference. Otherwise the reference and group checked are remembered.
bool ReglesSaisie::dejaContacte(bool aLEnregistrement)
{
    QString& reference = m_etat[Ref_A].texte;
    const Groupe groupe = groupeDe(m_etat[Bande_A].texte);
    const StationLog log(m_dossier, m_indicatif);
    const MoulinContacte m = Moulin_Deja_Contacte(log.chemin(), reference, groupe);
    if (!m.trouve) {
        m_moulinVerifie = {reference, groupe};
        return false;
    }
    const QString contacte = reference + QStringLiteral(" Chateau deja contacté le ") + m.date +
                             QStringLiteral(" sur ") + m.bande;
    if (aLEnregistrement) {
        donneFocus(Bande_A);
        return !refuse(
            QStringLiteral("La bande a changé depuis la vérification de la référence : %1, dans "
                           "le même groupe de bandes.\r\n\r\nLe QSO n'est pas enregistré : "
                           "corrigez la bande ou la référence.")
                .arg(contacte));
    }
    m_messages.avise(contacte);
    reference.clear();
    Prepare_Saisie();
    return true;
}

// Bande_A: outside the chain, Enter in it leads back to the callsign.
void ReglesSaisie::regleBande(Controle c)
{
    QString& texte = m_etat[c].texte;
    if ((texte.isEmpty() || texte.size() > 7) && refuseSi(ReglesChamps::controleBande(texte)))
        return;
    if (!verifieCaracteres(c))
        return;
    // A band that is not one of the list's labels belongs to no group and
    // would never count for the award.
    prendItem(Bande_A);
    if (itemNomme(Bande_A, texte) < 0)
        return void(refuse(messageBande(texte)));
    if (!m_modeModif) {
        radioRetenue(Bande_A) = -1;
        memoriseIndex(Bande_A);
    }
    active(RST_A);
    jaune(Bande_A);
    vert(Ind_A);
    donneFocus(Ind_A);
}

// RST_A and RSTE_A: the same three checks.
void ReglesSaisie::regleReport(Controle c)
{
    QString& texte = m_etat[c].texte;
    if (refuseSi(ReglesChamps::controleReport(texte)))
        return;
    if (!verifieCaracteres(c))
        return;
    return accepte(c, c == RST_A ? RSTE_A : Rem_A);
}

// What the Enter rules check, checked again on the fields as they stand: in
// the editing mode, or after a field was changed with the mouse, the button
// is reached without them. Nothing is written before every check has passed.
bool ReglesSaisie::verifieAvantEnregistrement()
{
    for (Controle c :
         {Ind_A, Dpt_A, Prenom_A, Ref_A, Date_A, Heure_A, Mode_A, Bande_A, RST_A, RSTE_A, Rem_A}) {
        if (!verifieControles(c))
            return false;
    }
    QString& mode = m_etat[Mode_A].texte;
    if (Texte::sansBlancs(mode).isEmpty())
        return refuse(ReglesChamps::controleMode(mode));
    // A mode put there without Enter (the mouse, the editing mode).
    if (mode.size() > LogLine::Mode.largeur) {
        if (refuseSi(ReglesChamps::controleMode(mode)))
            return false;
        mode = ModesLog::court(mode);
    }
    if (Texte::sansBlancs(m_etat[Bande_A].texte).isEmpty())
        return refuse(ReglesChamps::controleBande(QString()));
    if (itemNomme(Bande_A, m_etat[Bande_A].texte) < 0)
        return refuse(messageBande(m_etat[Bande_A].texte));
    prendItem(Bande_A);
    prendItem(Mode_A);
    // The band may have changed since the reference was checked (the radio,
    // a spot, the list): a windmill is never stored twice in its group.
    const MoulinVerifie maintenant{m_etat[Ref_A].texte, groupeDe(m_etat[Bande_A].texte)};
    if (!m_modeModif && !(maintenant == m_moulinVerifie) && dejaContacte(true))
        return false;
    return true;
}
