#include "EntryBinding.h"

#include "EntryArea.h"
#include "LogList.h"
#include "gui/platform/Apparence.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using M = EntryModel;

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

EntryBinding::EntryBinding(EntryArea& zone, LogList& liste, const Services& services,
                           QObject* parent)
    : QObject(parent), m_zone(zone), m_liste(liste),
      m_modele(services.dossier, services.reglages, services.messages, services.horloge)
{
    m_widgets = {zone.Ind_A,   zone.Prenom_A, zone.Dpt_A,    zone.Ref_A,        zone.Date_A,
                 zone.Heure_A, zone.Mode_A,   zone.Bande_A,  zone.RST_A,        zone.RSTE_A,
                 zone.Rem_A,   zone.QSL_A,    zone.Valide_A, zone.Annule_Saisie};
    for (QWidget* w : m_widgets) {
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
                [this, c] { agit([this, c] { m_modele.Choix_Liste(c); }); });
    }
    connect(&liste, &LogList::Ligne_Choisie, this, &EntryBinding::ligneChoisie);
    connect(&liste, &LogList::Ligne_Double_Cliquee, this,
            [this](int) { agit([this] { m_modele.Double_Clic(); }); });
    montre();
}

int EntryBinding::controle(QObject* objet) const
{
    for (int i = 0; i < M::Nombre_Controles; ++i) {
        QWidget* w = m_widgets[size_t(i)];
        if (objet == w || objet == edition(w))
            return i;
    }
    return -1;
}

void EntryBinding::agit(const std::function<void()>& action)
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

void EntryBinding::ligneChoisie(int index)
{
    const QString ligne = m_liste.Ligne(index);
    agit([this, ligne] { m_modele.Selection(ligne); });
}

// What the user changed in the widgets since the model last spoke.
void EntryBinding::lit()
{
    for (int i = 0; i < M::Nombre_Controles; ++i) {
        const auto c = M::Controle(i);
        QWidget* w = m_widgets[size_t(i)];
        if (auto* combo = qobject_cast<QComboBox*>(w)) {
            // A text typed that is one of the items counts as that item chosen.
            const QString texte = combo->currentText();
            const int index = combo->currentIndex();
            m_modele.Change_Index(
                c,
                index >= 0 && combo->itemText(index) == texte
                    ? index
                    : combo->findText(texte, Qt::MatchExactly | Qt::MatchCaseSensitive),
                texte);
        } else if (auto* ligne = qobject_cast<QLineEdit*>(w)) {
            m_modele.Change_Texte(c, ligne->text());
        } else if (auto* coche = qobject_cast<QCheckBox*>(w)) {
            m_modele.Change_Coche(coche->isChecked());
        }
    }
}

void EntryBinding::montre()
{
    for (int i = 0; i < M::Nombre_Controles; ++i) {
        const M::Etat& e = m_modele.etat(M::Controle(i));
        QWidget* w = m_widgets[size_t(i)];
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
            Apparence::Fond(w, e.couleur == M::Couleur::Vert ? Apparence::Vert_Clair
                                                             : Apparence::Jaune_Clair);
    }
    m_zone.Mode_Aff->setText(m_modele.Mode_Aff());
    m_liste.Verrouille(m_modele.Liste_Verrouillee());
    if (m_modele.Focus_A_Donner()) {
        m_modele.Focus_Donne();
        QWidget* w = m_widgets[size_t(m_modele.focus())];
        w->setFocus(Qt::OtherFocusReason);
        // The windmill name is completed after "M. ": the cursor waits at its end.
        if (w == m_zone.Rem_A)
            m_zone.Rem_A->end(false);
    }
}

bool EntryBinding::eventFilter(QObject* objet, QEvent* evenement)
{
    if (evenement->type() != QEvent::KeyPress)
        return QObject::eventFilter(objet, evenement);
    const int i = controle(objet);
    if (i < 0)
        return false;
    auto* touche = static_cast<QKeyEvent*>(evenement);
    const auto c = M::Controle(i);

    if (c == M::Valide_A || c == M::Annule_Saisie) {
        if (!Apparence::Entree(touche))
            return false;
        static_cast<QPushButton*>(m_widgets[size_t(c)])->click();
        return true;
    }
    if (Apparence::Entree(touche)) {
        agit([this, c] { m_modele.Frappe(c, QLatin1Char('\r')); });
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
    agit([&] { t = m_modele.Frappe(c, texte.at(0)); });
    if (t.sort == M::Touche::Avalee)
        return true;
    if (t.caractere == texte.at(0))
        return false;
    if (QLineEdit* l = edition(m_widgets[size_t(c)])) {
        l->insert(QString(t.caractere));
        return true;
    }
    return false;
}
