#include "EtatSaisie.h"

#include "core/app/Reglages.h"
#include "core/log/Groupe.h"
#include "core/log/LogLine.h"
#include "core/platform/BoiteMessage.h"
#include "core/platform/StockReglages.h"

#include <utility>

namespace {

const QString kSaisie = QStringLiteral("Saisie QSO");

} // namespace

const QStringList& EtatSaisie::elements(Controle c)
{
    return c == Mode_A ? listeModes() : listeBandes();
}

EtatSaisie::EtatSaisie(const QString& dossier, StockReglages& reglages, BoiteMessage& messages,
                       const Horloge& horloge)
    : m_dossier(dossier), m_reglages(reglages), m_messages(messages), m_horloge(horloge)
{
    etatConception();
}

void EtatSaisie::etatConception()
{
    for (Etat& e : m_etat)
        e = Etat();
    m_etat[Ind_A].actif = true;
    m_etat[Ind_A].couleur = Couleur::Vert;
    m_etat[Bande_A].actif = true;
    m_etat[RST_A].texte = QStringLiteral("59");
    m_etat[RSTE_A].texte = QStringLiteral("59");
    m_modeAff = kSaisie;
    m_modeModif = m_modeInsertion = m_listeVerrouillee = false;
    m_ligneSelection.clear();
    donneFocus(Ind_A);
}

void EtatSaisie::changeTexte(Controle c, const QString& texte)
{
    m_etat[c].texte = texte;
}

void EtatSaisie::changeIndex(Controle c, int index, const QString& texte)
{
    m_etat[c].index = index;
    m_etat[c].texte = texte;
}

void EtatSaisie::changeCoche(bool coche)
{
    m_etat[QSL_A].coche = coche;
}

bool EtatSaisie::refuse(const QString& message)
{
    m_messages.avise(message);
    return false;
}

bool EtatSaisie::refuseSi(const QString& message)
{
    if (message.isEmpty())
        return false;
    refuse(message);
    return true;
}

void EtatSaisie::vert(Controle c)
{
    m_etat[c].couleur = Couleur::Vert;
}

void EtatSaisie::jaune(Controle c)
{
    m_etat[c].couleur = Couleur::Jaune;
}

void EtatSaisie::active(Controle c, bool actif)
{
    m_etat[c].actif = actif;
}

void EtatSaisie::donneFocus(Controle c)
{
    m_focus = c;
    m_focusADonner = true;
}

bool EtatSaisie::texteSelectionneAuFocus() const
{
    if (m_focus == Rem_A || m_etat[m_focus].texte.isEmpty())
        return false;
    return m_modeModif || m_focus == Prenom_A || m_focus == Dpt_A;
}

void EtatSaisie::accepte(Controle c, Controle suivant)
{
    jaune(c);
    active(suivant);
    vert(suivant);
    // The department and windmill of a spot come into their fields as the
    // chain reaches them, to be checked by their rules in turn.
    if (suivant == Dpt_A && !m_spotDepartement.isEmpty())
        m_etat[Dpt_A].texte = std::exchange(m_spotDepartement, QString());
    else if (suivant == Ref_A && !m_spotReference.isEmpty())
        m_etat[Ref_A].texte = std::exchange(m_spotReference, QString());
    donneFocus(suivant);
}

void EtatSaisie::selectionneIndex(Controle c, const QString& cle)
{
    const QStringList& liste = elements(c);
    const int index = m_reglages.litIndex(Reglages::sectionStation(m_indicatif), cle, 0);
    // A value that is no item (a hand-edited file, -1 left by an older
    // version) selects nothing: the operator then chooses, as a QSO is never
    // stored without a band or a mode, rather than finding the QSO on a band
    // he did not choose.
    const bool valable = index >= 0 && index < liste.size();
    m_etat[c].index = valable ? index : -1;
    m_etat[c].texte = valable ? liste.at(index) : QString();
}

// What both resets do: every field ready for a new QSO, the remembered mode
// and band selected again, the flags cleared.
void EtatSaisie::videChamps(bool garderDate)
{
    for (Controle c : {Dpt_A, Prenom_A, Ref_A, Date_A, Heure_A, Mode_A, RST_A, RSTE_A, Rem_A}) {
        if (c != Date_A || !garderDate)
            m_etat[c].texte.clear();
        active(c, false);
        jaune(c);
    }
    m_etat[RST_A].texte = m_etat[RSTE_A].texte = QStringLiteral("59");
    m_etat[Rem_A].texte = QStringLiteral("M. ");
    m_etat[QSL_A].coche = false;
    m_etat[Ind_A].texte.clear();
    vert(Ind_A);
    active(Ind_A);
    donneFocus(Ind_A);
    selectionneIndex(Bande_A, Reglages::bandeUtilisee);
    selectionneIndex(Mode_A, Reglages::modeUtilise);
    // What the radio moved to while the operator typed comes now.
    for (Controle c : {Bande_A, Mode_A}) {
        if (const int index = std::exchange(radioRetenue(c), -1); index >= 0)
            prendRadio(c, index);
    }
    m_modeModif = m_listeVerrouillee = m_modeInsertion = false;
    m_spotDepartement.clear();
    m_spotReference.clear();
    m_moulinVerifie = {};
    active(Valide_A, false);
    m_modeAff = kSaisie;
}

void EtatSaisie::Prepare_Saisie()
{
    videChamps(false);
    active(Annule_Saisie, false);
}

int EtatSaisie::itemNomme(Controle c, const QString& texte)
{
    const auto forme = [](QString t) { return t.remove(QLatin1Char(' ')).toCaseFolded(); };
    const QString cherche = forme(texte);
    if (cherche.isEmpty())
        return -1;
    const QStringList& liste = elements(c);
    for (int i = 0; i < liste.size(); ++i) {
        if (forme(liste.at(i)) == cherche)
            return i;
    }
    return -1;
}

// The item the field holds, chosen in the list or typed: the one remembered
// for the next QSO. A text that names no item changes nothing remembered, so
// that the next QSO never starts without a band or a mode.
void EtatSaisie::memoriseIndex(Controle c)
{
    const Etat& e = m_etat[c];
    const QStringList& liste = elements(c);
    const int index = e.index >= 0 && e.index < liste.size() && liste.at(e.index) == e.texte
                          ? e.index
                          : itemNomme(c, e.texte);
    if (index < 0)
        return;
    m_reglages.ecritIndex(Reglages::sectionStation(m_indicatif),
                          c == Mode_A ? Reglages::modeUtilise : Reglages::bandeUtilisee, index);
}

void EtatSaisie::prendRadio(Controle c, int index)
{
    m_etat[c].index = index;
    m_etat[c].texte = elements(c).at(index);
    memoriseIndex(c);
}

// The text of the combo box replaced by the item it names, when it names one.
void EtatSaisie::prendItem(Controle c)
{
    const int index = itemNomme(c, m_etat[c].texte);
    if (index < 0)
        return;
    m_etat[c].index = index;
    m_etat[c].texte = elements(c).at(index);
}
