#include "LiaisonSaisie.h"

#include "ListeLog.h"
#include "ZoneSaisie.h"
#include "gui/platform/Apparence.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using M = ModeleSaisie;

namespace {

QLineEdit* edition(QWidget* w)
{
    if (auto* l = qobject_cast<QLineEdit*>(w))
        return l;
    if (auto* c = qobject_cast<QComboBox*>(w))
        return c->lineEdit();
    return nullptr;
}

} // namespace

LiaisonSaisie::LiaisonSaisie(ZoneSaisie& zone, ListeLog& liste, const Services& services,
                             QObject* parent)
    : QObject(parent), m_zoneSaisie(zone), m_liste(liste),
      m_modele(services.dossier, services.reglages, services.messages, services.horloge)
{
    m_champs = {zone.Ind_A,   zone.Prenom_A, zone.Dpt_A,    zone.Ref_A,        zone.Date_A,
                zone.Heure_A, zone.Mode_A,   zone.Bande_A,  zone.RST_A,        zone.RSTE_A,
                zone.Rem_A,   zone.QSL_A,    zone.Valide_A, zone.Annule_Saisie};
    for (QWidget* w : m_champs) {
        w->installEventFilter(this);
        if (QLineEdit* l = edition(w); l && l != w)
            l->installEventFilter(this);
    }

    connect(zone.Valide_A, &QPushButton::clicked, this,
            [this] { agit([this] { m_modele.Valide_A_Click(); }); });
    connect(zone.Efface_A, &QPushButton::clicked, this,
            [this] { agit([this] { m_modele.Efface_A_Click(); }); });
    connect(zone.Annule_Saisie, &QPushButton::clicked, this,
            [this] { agit([this] { m_modele.Annule_Saisie_Click(); }); });
    connect(zone.Ajout_QSO, &QPushButton::clicked, this,
            [this] { agit([this] { m_modele.Ajout_QSO_Click(); }); });
    // An item chosen with the mouse or the arrow keys is remembered as a
    // typed one is.
    for (QComboBox* combo : {zone.Mode_A, zone.Bande_A}) {
        const auto c = combo == zone.Mode_A ? M::Mode_A : M::Bande_A;
        connect(combo, &QComboBox::activated, this,
                [this, c] { agit([this, c] { m_modele.choixListe(c); }); });
    }
    connect(&liste, &ListeLog::aChoisiLigne, this, &LiaisonSaisie::ligneChoisie);
    connect(&liste, &ListeLog::ligneDoubleCliquee, this,
            [this](int) { agit([this] { m_modele.doubleClic(); }); });
    montre();
}

int LiaisonSaisie::controle(QObject* objet) const
{
    for (int i = 0; i < M::NombreControles; ++i) {
        QWidget* w = m_champs[size_t(i)];
        if (objet == w || objet == edition(w))
            return i;
    }
    return -1;
}

void LiaisonSaisie::agit(const std::function<void()>& action)
{
    if (m_dansModele) {
        action();
        return;
    }
    lit();
    m_dansModele = true;
    action();
    m_dansModele = false;
    montre();
}

bool LiaisonSaisie::enFrappe(int controle) const
{
    auto* combo = qobject_cast<QComboBox*>(m_champs[size_t(controle)]);
    if (!combo || !combo->lineEdit())
        return false;
    // Changed since the entry last read it, or typed in the field that has
    // the focus and not yet taken by Enter.
    return combo->currentText() != m_modele.etat(M::Controle(controle)).texte ||
           (combo->hasFocus() && combo->lineEdit()->isModified());
}

bool LiaisonSaisie::choixRadio(int bande, int mode)
{
    // A field being typed in is never changed under the operator's hands:
    // the radio's band or mode is held back for it. Seen before the widgets
    // are read, which makes their text the entry's.
    const bool bandeEnFrappe = bande >= 0 && enFrappe(M::Bande_A);
    const bool modeEnFrappe = mode >= 0 && enFrappe(M::Mode_A);
    bool pris = true;
    agit([&] {
        if (bande >= 0)
            pris = (bandeEnFrappe ? m_modele.retientRadio(M::Bande_A, bande)
                                  : m_modele.choixRadio(M::Bande_A, bande)) &&
                   pris;
        if (mode >= 0)
            pris = (modeEnFrappe ? m_modele.retientRadio(M::Mode_A, mode)
                                 : m_modele.choixRadio(M::Mode_A, mode)) &&
                   pris;
    });
    return pris;
}

void LiaisonSaisie::champQuitte(int controle)
{
    if (controle != M::Mode_A && controle != M::Bande_A)
        return;
    // Left with the text it had when the operator came into it: nothing
    // typed is lost by taking the radio's item held back for it.
    auto* combo = static_cast<QComboBox*>(m_champs[size_t(controle)]);
    if (m_dansModele || combo->currentText() != m_texteAuFocus[size_t(controle)])
        return;
    agit([this, controle] { m_modele.appliqueRadioRetenue(M::Controle(controle)); });
}

void LiaisonSaisie::ligneChoisie(int index)
{
    const QString ligne = m_liste.texteLigne(index);
    agit([this, ligne] { m_modele.selection(ligne); });
}

// What the user changed in the widgets since the model last spoke.
void LiaisonSaisie::lit()
{
    for (int i = 0; i < M::NombreControles; ++i) {
        const auto c = M::Controle(i);
        QWidget* w = m_champs[size_t(i)];
        if (auto* combo = qobject_cast<QComboBox*>(w)) {
            // A text typed that is one of the items counts as that item chosen.
            const QString texte = combo->currentText();
            const int index = combo->currentIndex();
            m_modele.changeIndex(
                c,
                index >= 0 && combo->itemText(index) == texte
                    ? index
                    : combo->findText(texte, Qt::MatchExactly | Qt::MatchCaseSensitive),
                texte);
        } else if (auto* ligne = qobject_cast<QLineEdit*>(w)) {
            m_modele.changeTexte(c, ligne->text());
        } else if (auto* coche = qobject_cast<QCheckBox*>(w)) {
            m_modele.changeCoche(coche->isChecked());
        }
    }
}

void LiaisonSaisie::montre()
{
    for (int i = 0; i < M::NombreControles; ++i) {
        const M::Etat& e = m_modele.etat(M::Controle(i));
        QWidget* w = m_champs[size_t(i)];
        if (auto* combo = qobject_cast<QComboBox*>(w)) {
            if (combo->currentIndex() != e.index)
                combo->setCurrentIndex(e.index);
            if (combo->currentText() != e.texte)
                combo->setEditText(e.texte);
        } else if (auto* ligne = qobject_cast<QLineEdit*>(w)) {
            if (ligne->text() != e.texte)
                ligne->setText(e.texte);
        } else if (auto* coche = qobject_cast<QCheckBox*>(w)) {
            coche->setChecked(e.coche);
        }
        w->setEnabled(e.actif);
        if (i != M::Annule_Saisie)
            Apparence::couleurFond(w, e.couleur == M::Couleur::Vert ? Apparence::vertClair
                                                                    : Apparence::jauneClair);
    }
    m_zoneSaisie.Mode_Aff->setText(m_modele.Mode_Aff());
    m_liste.verrouille(m_modele.Liste_Verrouillee());
    if (m_modele.focusADonner()) {
        m_modele.focusDonne();
        QWidget* w = m_champs[size_t(m_modele.focus())];
        w->setFocus(Qt::OtherFocusReason);
        // The text selected in the field left stays so in Qt: only the field
        // that has the focus shows a selection.
        for (QWidget* autre : m_champs) {
            if (QLineEdit* l = edition(autre); l && autre != w)
                l->deselect();
        }
        // The windmill name is completed after "M. ": the cursor waits at its end.
        if (w == m_zoneSaisie.Rem_A)
            m_zoneSaisie.Rem_A->end(false);
        else if (QLineEdit* l = edition(w); l && m_modele.texteSelectionneAuFocus())
            l->selectAll();
    }
}

bool LiaisonSaisie::eventFilter(QObject* objet, QEvent* evenement)
{
    if (evenement->type() == QEvent::FocusIn) {
        const int i = controle(objet);
        if (i == M::Mode_A || i == M::Bande_A)
            m_texteAuFocus[size_t(i)] = static_cast<QComboBox*>(m_champs[size_t(i)])->currentText();
        return false;
    }
    if (evenement->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(evenement)->reason() != Qt::PopupFocusReason) {
        champQuitte(controle(objet));
        return false;
    }
    if (evenement->type() != QEvent::KeyPress)
        return QObject::eventFilter(objet, evenement);
    const int i = controle(objet);
    if (i < 0)
        return false;
    auto* touche = static_cast<QKeyEvent*>(evenement);
    const auto c = M::Controle(i);

    if (c == M::Valide_A || c == M::Annule_Saisie) {
        if (!Apparence::toucheEntree(touche))
            return false;
        static_cast<QPushButton*>(m_champs[size_t(c)])->click();
        return true;
    }
    if (Apparence::toucheEntree(touche)) {
        agit([this, c] { m_modele.frappeTouche(c, QLatin1Char('\r')); });
        return true;
    }
    // Backspace is a typed key like the characters (code 8); the other
    // editing keys (arrows, Delete) are not.
    const bool retour = touche->key() == Qt::Key_Backspace;
    const QString texte = retour ? QString(QChar(8)) : touche->text();
    if (texte.size() != 1 || (!retour && !texte.at(0).isPrint()) ||
        (touche->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;

    M::Touche t;
    agit([&] { t = m_modele.frappeTouche(c, texte.at(0)); });
    if (t.tri == M::Touche::Avalee)
        return true;
    if (t.caractere == texte.at(0))
        return false;
    if (QLineEdit* l = edition(m_champs[size_t(c)])) {
        l->insert(QString(t.caractere));
        return true;
    }
    return false;
}
