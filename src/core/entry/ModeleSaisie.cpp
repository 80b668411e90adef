#include "ModeleSaisie.h"

#include "core/app/Reglages.h"
#include "core/log/Affichage.h"
#include "core/log/FirstNameMemory.h"
#include "core/log/Groupe.h"
#include "core/log/LogLine.h"
#include "core/log/ModesLog.h"
#include "core/log/StationLog.h"
#include "core/log/Texte.h"
#include "core/platform/BoiteMessage.h"
#include "core/platform/Cp1252.h"

#include <utility>

namespace {

bool enMajuscules(ModeleSaisie::Controle c)
{
    switch (c) {
    case ModeleSaisie::Dpt_A:
    case ModeleSaisie::Ref_A:
    case ModeleSaisie::QSL_A:
        return false;
    default:
        return true;
    }
}

const QString kPremiereInstallation =
    QStringLiteral("\r\n         Premiere installation, vous devez entrer votre "
                   "Indicatif\r\n\r\nPour cela dans la barre des menus allez "
                   "dans Station puis Nouvel Indicatif.");

} // namespace

ModeleSaisie::ModeleSaisie(const QString& dossier, StockReglages& reglages, BoiteMessage& messages,
                           const Horloge& horloge, QObject* parent)
    : QObject(parent), ReglesSaisie(dossier, reglages, messages, horloge)
{
}

void ModeleSaisie::choixListe(Controle c)
{
    if ((c == Mode_A || c == Bande_A) && !m_modeModif) {
        radioRetenue(c) = -1;
        memoriseIndex(c);
    }
}

bool ModeleSaisie::choixRadio(Controle c, int index)
{
    if (m_modeModif || m_modeInsertion || index < 0 || index >= elements(c).size())
        return false;
    radioRetenue(c) = -1;
    // Data modes are worked on a sideband: the radio on USB leaves "FT8".
    if (c == Mode_A && ModesLog::genre(elements(c).at(index)) == ModesLog::Genre::Phonie &&
        ModesLog::genre(m_etat[c].texte) == ModesLog::Genre::Donnees)
        return true;
    prendRadio(c, index);
    return true;
}

bool ModeleSaisie::retientRadio(Controle c, int index)
{
    if (m_modeModif || m_modeInsertion || index < 0 || index >= elements(c).size())
        return false;
    radioRetenue(c) = index;
    return true;
}

void ModeleSaisie::appliqueRadioRetenue(Controle c)
{
    if (const int index = std::exchange(radioRetenue(c), -1); index >= 0)
        choixRadio(c, index);
}

QString ModeleSaisie::refusSpot(int indexBande) const
{
    if (m_indicatif == Reglages::indicatifAucun)
        return kPremiereInstallation;
    if (m_modeModif)
        return QStringLiteral("Un QSO de la liste est en cours de modification : validez-le ou "
                              "effacez-le avant de prendre un spot.");
    if (m_modeInsertion)
        return QStringLiteral("Un QSO est en cours d'insertion : validez-le ou effacez-le avant "
                              "de prendre un spot.");
    if (indexBande < 0 || indexBande >= listeBandes().size())
        return QStringLiteral("La fréquence de ce spot n'est dans aucune bande du log : le QSO "
                              "ne peut pas y être noté.");
    return QString();
}

bool ModeleSaisie::prepareDepuisSpot(const QString& indicatif, int indexBande,
                                     const QString& departement, const QString& reference,
                                     const QString& mode)
{
    const QString refus = refusSpot(indexBande);
    if (!refus.isEmpty())
        return refuse(refus);
    Prepare_Saisie();
    m_etat[Ind_A].texte = Texte::majusculesTapees(indicatif.trimmed());
    m_etat[Bande_A].index = indexBande;
    m_etat[Bande_A].texte = listeBandes().at(indexBande);
    memoriseIndex(Bande_A);
    if (const QString court = ModesLog::court(mode); !court.isEmpty()) {
        m_etat[Mode_A].index = int(listeModes().indexOf(court));
        m_etat[Mode_A].texte = court;
        if (m_etat[Mode_A].index >= 0)
            memoriseIndex(Mode_A);
    }
    m_spotDepartement = departement.trimmed().toLower();
    m_spotReference = reference.trimmed().toLower();
    return true;
}

ModeleSaisie::Touche ModeleSaisie::frappeTouche(Controle c, QChar caractere)
{
    const bool entree = caractere == QLatin1Char('\r');
    Touche t{entree ? Touche::Avalee : Touche::Prise, caractere};

    if (c == Ind_A && m_indicatif == Reglages::indicatifAucun) {
        m_messages.avise(kPremiereInstallation);
        return t;
    }
    if (entree) {
        regle(c);
        if (!m_indicatifAChercher.isEmpty()) {
            m_prenomTape = false;
            Q_EMIT indicatifInconnu(std::exchange(m_indicatifAChercher, QString()));
        }
        return t;
    }
    if (c == Prenom_A)
        m_prenomTape = true;
    if ((c == Mode_A || c == Bande_A) && !m_modeModif)
        memoriseIndex(c);
    if (enMajuscules(c))
        t.caractere = Texte::majusculeTapee(caractere);
    return t;
}

bool ModeleSaisie::prenomAnnuaire(const QString& indicatif, const QString& prenom)
{
    if (m_modeModif || m_prenomTape || prenom.isEmpty() || m_etat[Ind_A].texte != indicatif ||
        !m_etat[Prenom_A].actif || !m_etat[Prenom_A].texte.isEmpty())
        return false;
    m_etat[Prenom_A].texte = prenom;
    return true;
}

void ModeleSaisie::remplitDepuis(const QString& ligne)
{
    const LogLine::Champs c = Affichage::champsDepuisAffichage(ligne);
    // A QSO of the list replaces the one taken from a spot.
    m_spotDepartement.clear();
    m_spotReference.clear();
    m_etat[Ind_A].texte = c.indicatif;
    m_etat[Dpt_A].texte = c.departement;
    m_etat[Prenom_A].texte = c.prenom;
    m_etat[Ref_A].texte = c.reference;
    m_etat[Date_A].texte = c.date;
    m_etat[Heure_A].texte = c.heure;
    m_etat[Mode_A].texte = c.mode;
    m_etat[Mode_A].index = int(listeModes().indexOf(c.mode));
    m_etat[Bande_A].texte = c.bande;
    m_etat[Bande_A].index = int(listeBandes().indexOf(c.bande));
    m_etat[RST_A].texte = c.rstRecu;
    m_etat[RSTE_A].texte = c.rstEnvoye;
    m_etat[Rem_A].texte = c.nomMoulin;
    m_etat[QSL_A].coche = c.qsl;
}

void ModeleSaisie::selection(const QString& ligne)
{
    if (m_listeVerrouillee)
        return;
    m_ligneSelection = ligne;
    active(Annule_Saisie);
    remplitDepuis(ligne);
}

void ModeleSaisie::doubleClic()
{
    if (m_listeVerrouillee)
        return;
    if (m_ligneSelection.isEmpty()) {
        m_messages.avise(QStringLiteral("Cliquez sur une ligne pour l'editer"));
        return;
    }
    m_listeVerrouillee = true;
    m_modeModif = true;
    for (Controle c : {Ind_A, Dpt_A, Prenom_A, Ref_A, Date_A, Heure_A, Mode_A, Bande_A, RST_A,
                       RSTE_A, Rem_A, QSL_A, Valide_A})
        active(c);
    m_modeAff = QStringLiteral("Modification QSO");
    remplitDepuis(m_ligneSelection);
    vert(Ind_A);
    donneFocus(Ind_A);
}

void ModeleSaisie::logRemplace()
{
    Prepare_Saisie();
}

bool ModeleSaisie::saisieEnCours() const
{
    if (m_modeModif || m_modeInsertion)
        return true;
    for (Controle c :
         {Prenom_A, Dpt_A, Ref_A, Date_A, Heure_A, Mode_A, RST_A, RSTE_A, Rem_A, Valide_A}) {
        if (m_etat[c].actif)
            return true;
    }
    const QString& appel = m_etat[Ind_A].texte;
    if (appel.isEmpty())
        return false;
    return m_ligneSelection.isEmpty() ||
           appel != Affichage::champsDepuisAffichage(m_ligneSelection).indicatif;
}

bool ModeleSaisie::abandonAccepte()
{
    return !saisieEnCours() ||
           m_messages.demandeConfirmation(QStringLiteral("Abandonner le QSO en cours de saisie ?"));
}

void ModeleSaisie::Annule_Saisie_Click()
{
    if (m_ligneSelection.isEmpty()) {
        m_messages.avise(QStringLiteral("Cliquez sur une ligne pour l'effacerer"));
        return;
    }
    const QString ligne = Affichage::logLineDepuisAffichage(m_ligneSelection, false);
    if (m_messages.demandeConfirmation(QStringLiteral("Voulez vous Supprimer ce QSO ?"))) {
        StationLog log(m_dossier, m_indicatif);
        const Statut s = log.Supprime_QSO(ligne);
        if (s)
            Q_EMIT listeARecharger();
        else
            m_messages.avise(s.message);
    }
    active(Annule_Saisie, false);
    Prepare_Saisie();
}

void ModeleSaisie::Ajout_QSO_Click()
{
    m_modeInsertion = true;
    m_modeAff = QStringLiteral("Insertion QSO");
    donneFocus(Ind_A);
}

void ModeleSaisie::Valide_A_Click()
{
    if (!m_messages.demandeConfirmation(QStringLiteral("Voulez vous enregistrer ces données ?"))) {
        reinitialiseApresValidation();
        return;
    }
    // A QSO that cannot be stored stays in the fields as typed, so that the
    // operator can correct it and save again.
    if (enregistre())
        reinitialiseApresValidation();
}

bool ModeleSaisie::enregistre()
{
    if (!verifieAvantEnregistrement())
        return false;
    LogLine::Champs c;
    c.indicatif = m_etat[Ind_A].texte;
    c.departement = m_etat[Dpt_A].texte;
    c.prenom = m_etat[Prenom_A].texte;
    c.reference = m_etat[Ref_A].texte;
    c.date = m_etat[Date_A].texte;
    c.heure = m_etat[Heure_A].texte;
    c.mode = m_etat[Mode_A].texte;
    c.bande = m_etat[Bande_A].texte;
    c.rstRecu = m_etat[RST_A].texte;
    c.rstEnvoye = m_etat[RSTE_A].texte;
    c.nomMoulin = m_etat[Rem_A].texte;
    c.qsl = m_etat[QSL_A].coche;
    // The line puts the first name in upper case and cuts the windmill name
    // itself; the fields show that only once the QSO is to be stored, a
    // refused one stays as typed.
    const LogLine::Formee ligne = LogLine::forme(c);
    if (!ligne.valide())
        return refuse(ligne.erreur);
    c.prenom = m_etat[Prenom_A].texte = Cp1252::majusculesCp1252(c.prenom);
    const QString sansBlancs = Texte::sansBlancs(m_etat[Rem_A].texte);
    if (sansBlancs.size() > 30)
        m_etat[Rem_A].texte = sansBlancs.left(30);

    // The log first: it refuses what it cannot store (a date outside the
    // calendar for the date order, a missing log) before writing anything,
    // and a refused QSO must leave the first-name memory as it was too.
    StationLog log(m_dossier, m_indicatif);
    // The log and the first-name memory are renamed in the same folder: one
    // flush of the folder, once both are renamed, makes both renames last.
    log.synchronisationDossier(FichierTexte::Synchronisation::Differee);
    Statut s;
    if (m_modeModif)
        s = log.Remplace_QSO(ligne.ligne,
                             Affichage::logLineDepuisAffichage(m_ligneSelection, true));
    else if (!m_dateAuto || m_modeInsertion)
        s = log.Insere_QSO_Chrono(ligne.ligne);
    else
        s = log.Enregistre_QSO(ligne.ligne);
    if (!s)
        return refuse(s.message);
    Q_EMIT listeARecharger();

    // The QSO is stored: a first name that cannot be remembered is reported,
    // and the entry goes on to the next QSO (saving again would store the
    // QSO twice). So does a folder whose flush the disk does not confirm.
    FirstNameMemory prenoms(m_dossier);
    prenoms.synchronisationDossier(FichierTexte::Synchronisation::Differee);
    const Statut memoire =
        prenoms.Memorise_Prenom(FirstNameMemory::formeLigne(c.indicatif, c.departement, c.prenom));
    const Statut confirme = FichierTexte::synchroniseDossierDe(log.chemin());
    if (!confirme)
        m_messages.avise(confirme.message);
    if (!memoire)
        m_messages.avise(QStringLiteral("Le QSO est enregistré, mais le prénom n'a pas pu être "
                                        "mémorisé : %1")
                             .arg(memoire.message));
    return true;
}

void ModeleSaisie::reinitialiseApresValidation()
{
    // The last line is selected first: the selection shows it in the fields,
    // which the reset then empties, but for the date in the manual date mode.
    Q_EMIT derniereASelectionner();
    videChamps(!m_dateAuto);
    jaune(Bande_A);
    active(QSL_A, false);
}
