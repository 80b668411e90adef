#include "ZoneSaisie.h"

#include "gui/platform/Apparence.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton* bouton(QWidget* parent, const char* nom, const QString& texte)
{
    auto* b = Apparence::nomme(new QPushButton(texte, parent), nom);
    b->setAutoDefault(false);
    return b;
}

QComboBox* liste(QWidget* parent, const char* nom)
{
    auto* c = Apparence::nomme(new QComboBox(parent), nom);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    return c;
}

} // namespace

ZoneSaisie::ZoneSaisie(QWidget* parent)
    : QGroupBox(QStringLiteral("Saisie ou modification d'un QSO"), parent)
{
    setObjectName(QStringLiteral("Frame3"));

    Ind_A = Apparence::nomme(new QLineEdit(this), "Ind_A");
    Prenom_A = Apparence::nomme(new QLineEdit(this), "Prenom_A");
    Dpt_A = Apparence::nomme(new QLineEdit(this), "Dpt_A");
    Ref_A = Apparence::nomme(new QLineEdit(this), "Ref_A");
    Date_A = Apparence::nomme(new QLineEdit(this), "Date_A");
    Heure_A = Apparence::nomme(new QLineEdit(this), "Heure_A");
    Mode_A = liste(this, "Mode_A");
    Bande_A = liste(this, "Bande_A");
    RST_A = Apparence::nomme(new QLineEdit(this), "RST_A");
    RSTE_A = Apparence::nomme(new QLineEdit(this), "RSTE_A");
    Rem_A = Apparence::nomme(new QLineEdit(this), "Rem_A");
    QSL_A = Apparence::nomme(new QCheckBox(this), "QSL_A");
    QSL_A->setAutoFillBackground(true);

    // Caption above each field, and the width of the field in characters.
    struct Colonne {
        QWidget* champ;
        QString titre;
        int caracteres;
    };
    const QList<Colonne> colonnes = {
        {Ind_A, QStringLiteral("Indicatif"), 12},
        {Prenom_A, QStringLiteral("Prénom (optionnel)"), 15},
        {Dpt_A, QStringLiteral("Dpt"), 2},
        {Ref_A, QStringLiteral("Ref Moulin"), 5},
        {Date_A, QStringLiteral("Date"), 8},
        {Heure_A, QStringLiteral("Heure UTC"), 5},
        {Mode_A, QStringLiteral("Mode"), 6},
        {Bande_A, QStringLiteral("Bande"), 7},
        {RST_A, QStringLiteral("RST R"), 3},
        {RSTE_A, QStringLiteral("RST E"), 3},
        {Rem_A, QStringLiteral("Nom du Moulin (optionnel)"), 30},
        {QSL_A, QStringLiteral("QSL"), 1},
    };

    const QFontMetrics mesure = fontMetrics();
    for (const Colonne& c : colonnes) {
        auto* titre = new QLabel(c.titre, this);
        titre->setObjectName(QStringLiteral("Titre_") + c.champ->objectName());
        titre->setBuddy(c.champ);
        // A screen reader names each field by its caption, the mode and band
        // lists included (not by the value they show).
        if (auto* liste = qobject_cast<QComboBox*>(c.champ)) {
            Apparence::nommeListe(liste, c.titre);
            liste->setMinimumContentsLength(c.caracteres);
            liste->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        } else {
            c.champ->setAccessibleName(c.titre);
        }
        if (c.champ != QSL_A && !qobject_cast<QComboBox*>(c.champ)) {
            // Room for the longest text the field takes, in capitals.
            const int largeur =
                mesure.horizontalAdvance(QString(c.caracteres, QLatin1Char('N'))) + 12;
            if (c.champ == Rem_A)
                c.champ->setMinimumWidth(largeur);
            else
                c.champ->setFixedWidth(largeur);
        }
        m_colonnes.append({titre, c.champ});
    }

    Valide_A = bouton(this, "Valide_A", QStringLiteral("Valider le QSO"));
    Efface_A = bouton(this, "Efface_A", QStringLiteral("Annuler saisie en cours"));
    Annule_Saisie = bouton(this, "Annule_Saisie", QStringLiteral("Supprimer un QSO"));
    Annule_Saisie->setToolTip(
        QStringLiteral("Permet d'annuler la saisie d'un Code Postal contacté"));
    Ajout_QSO = bouton(this, "Ajout_QSO", QStringLiteral("Inserer un QSO"));
    Rechercher = bouton(this, "Rechercher", QStringLiteral("Rechercher un QSO"));
    Command1 = bouton(this, "Command1", QStringLiteral("Liste des KZT"));

    Label10 = Apparence::nomme(new QLabel(QStringLiteral("Mode de saisie"), this), "Label10");
    Mode_Aff = Apparence::nomme(new QLabel(QStringLiteral("Saisie QSO"), this), "Mode_Aff");
    QFont gras = Mode_Aff->font();
    gras.setBold(true);
    Mode_Aff->setFont(gras);
    Mode_Aff->setMinimumWidth(
        QFontMetrics(gras).horizontalAdvance(QStringLiteral("Modification QSO")));
    Label14 = Apparence::nomme(
        new QLabel(QStringLiteral("Chaque champ se valide par la touche Entrée."), this),
        "Label14");

    auto* boutons = new QHBoxLayout;
    boutons->addWidget(Valide_A);
    boutons->addWidget(Efface_A);
    boutons->addWidget(Annule_Saisie);
    boutons->addWidget(Ajout_QSO);
    boutons->addSpacing(16);
    boutons->addWidget(Rechercher);
    boutons->addWidget(Command1);
    boutons->addStretch(1);

    auto* etat = new QHBoxLayout;
    etat->addWidget(Label10);
    etat->addWidget(Mode_Aff);
    etat->addSpacing(24);
    etat->addWidget(Label14);
    etat->addStretch(1);

    // The fields stand on one row, or on two when the frame is narrower
    // than that row: each row a grid of its own, so that the columns of one
    // do not widen those of the other.
    for (QGridLayout*& rang : m_rangs) {
        rang = new QGridLayout;
        rang->setHorizontalSpacing(8);
        rang->setVerticalSpacing(2);
    }
    auto* colonne = new QVBoxLayout(this);
    colonne->addLayout(m_rangs[0]);
    colonne->addLayout(m_rangs[1]);
    colonne->addLayout(boutons);
    colonne->addLayout(etat);
    // The frame's smallest size is that of the two rows, whichever it shows.
    colonne->setSizeConstraint(QLayout::SetNoConstraint);
    place(true);
    m_minimumDeuxRangs = colonne->totalMinimumSize();
    place(false);
    m_largeurUnRang = colonne->totalMinimumSize().width();

    // Tab goes through the fields in entry order, then the buttons.
    QList<QWidget*> ordre = champsDansLOrdre();
    ordre << Valide_A << Efface_A << Annule_Saisie << Ajout_QSO << Rechercher << Command1;
    for (int i = 1; i < ordre.size(); ++i)
        setTabOrder(ordre[i - 1], ordre[i]);

    etatConception();
}

void ZoneSaisie::place(bool deuxRangs)
{
    m_deuxRangs = deuxRangs;
    for (QGridLayout* rang : m_rangs) {
        for (const auto& [titre, champ] : std::as_const(m_colonnes)) {
            rang->removeWidget(titre);
            rang->removeWidget(champ);
        }
        for (int i = 0; i <= m_colonnes.size(); ++i)
            rang->setColumnStretch(i, 0);
    }
    // The second row starts with the mode: the time ends the first one.
    const int coupure = deuxRangs ? int(champsDansLOrdre().indexOf(Mode_A)) : -1;
    for (int i = 0; i < m_colonnes.size(); ++i) {
        const auto& [titre, champ] = m_colonnes[i];
        const bool seconde = coupure >= 0 && i >= coupure;
        QGridLayout* rang = m_rangs[seconde ? 1 : 0];
        const int colonne = seconde ? i - coupure : i;
        rang->addWidget(titre, 0, colonne, Qt::AlignLeft | Qt::AlignBottom);
        if (champ == Rem_A)
            rang->addWidget(champ, 1, colonne);
        else
            rang->addWidget(champ, 1, colonne, Qt::AlignLeft);
    }
    // The frame's layout keeps the sizes of its rows until told.
    for (QGridLayout* rang : m_rangs)
        rang->invalidate();
    if (layout())
        layout()->invalidate();
    // The windmill name takes the room left; on two rows, the first row's
    // fields keep their widths, packed to the left.
    const int nom = int(m_colonnes.size()) - 2;
    if (coupure >= 0) {
        m_rangs[0]->setColumnStretch(coupure, 1);
        m_rangs[1]->setColumnStretch(nom - coupure, 1);
    } else {
        m_rangs[0]->setColumnStretch(nom, 1);
    }
}

QSize ZoneSaisie::minimumSizeHint() const
{
    return {m_minimumDeuxRangs.width(), layout()->totalMinimumSize().height()};
}

void ZoneSaisie::resizeEvent(QResizeEvent* evenement)
{
    QGroupBox::resizeEvent(evenement);
    const bool deuxRangs = width() < m_largeurUnRang;
    if (deuxRangs == m_deuxRangs)
        return;
    place(deuxRangs);
    layout()->activate();
    // Two rows are taller: the window gives the list less room.
    updateGeometry();
}

QList<QWidget*> ZoneSaisie::champsDansLOrdre() const
{
    return {Ind_A,  Prenom_A, Dpt_A, Ref_A,  Date_A, Heure_A,
            Mode_A, Bande_A,  RST_A, RSTE_A, Rem_A,  QSL_A};
}

void ZoneSaisie::etatConception()
{
    for (QWidget* champ : champsDansLOrdre()) {
        champ->setEnabled(false);
        Apparence::couleurFond(champ, Apparence::jauneClair);
    }
    Ind_A->setEnabled(true);
    Apparence::couleurFond(Ind_A, Apparence::vertClair);
    Bande_A->setEnabled(true);
    RST_A->setText(QStringLiteral("59"));
    RSTE_A->setText(QStringLiteral("59"));
    Valide_A->setEnabled(false);
    Annule_Saisie->setEnabled(false);
}
