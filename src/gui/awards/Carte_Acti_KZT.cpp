#include "Carte_Acti_KZT.h"

#include "core/log/Groupe.h"
#include "core/log/StationLog.h"
#include "core/log/Texte.h"
#include "core/platform/BoiteMessage.h"
#include "gui/platform/Apparence.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <QWindow>

using namespace CarteDepartements;

namespace {

QColor couleur(unsigned rgb)
{
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

unsigned rgb(const QColor& c)
{
    return unsigned(c.rgb()) & 0xFFFFFF;
}

} // namespace

Carte_Acti_KZT::Carte_Acti_KZT(const Services& services, std::function<QString()> indicatif,
                               QWidget* parent)
    : QWidget(parent, Qt::Window), m_services(services), m_indicatif(std::move(indicatif))
{
    setObjectName(QStringLiteral("Carte_Acti_KZT"));
    Apparence::clavier(this);
    setWindowTitle(QStringLiteral("Carte des départements contactés"));
    setAccessibleName(windowTitle());

    // The controls stand at fixed places over the map, on a page of fixed
    // size; a screen too small for the page shows it in a scrolled view.
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("Page_Carte"));
    page->setFixedSize(largeurImage, hauteurImage);

    Frame1 = Apparence::nomme(new QFrame(page), QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::StyledPanel);
    Frame1->setGeometry(8, 0, 481, 49);
    QFont titre = font();
    titre.setBold(true);
    titre.setPointSizeF(12);
    // "KZT" keeps its bold 12 points even when the heading has to shrink.
    const QFont kzt = titre;
    NB_Dep = Apparence::nomme(new QLabel(QStringLiteral("0"), Frame1), QStringLiteral("NB_Dep"));
    NB_Dep->setGeometry(56, 12, 52, 24);
    NB_Dep->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label5 = Apparence::nomme(new QLabel(QStringLiteral("départements contactés en"), Frame1),
                              QStringLiteral("Label5"));
    Label5->setGeometry(112, 12, 228, 24);
    Bande_Carte =
        Apparence::nomme(new QLabel(QStringLiteral("HF"), Frame1), QStringLiteral("Bande_Carte"));
    Bande_Carte->setGeometry(344, 12, 120, 24);
    for (QLabel* l : {NB_Dep, Label5, Bande_Carte})
        l->setFont(titre);
    // The heading reads as one line: its text stays within its place.
    while (titre.pointSizeF() > 7 &&
           QFontMetrics(titre).horizontalAdvance(Label5->text()) > Label5->width() - 4) {
        titre.setPointSizeF(titre.pointSizeF() - 0.5);
        Label5->setFont(titre);
    }

    Label1 = Apparence::nomme(new QLabel(QStringLiteral("KZT"), page), QStringLiteral("Label1"));
    Label1->setFont(kzt);
    Label1->setGeometry(120, 56, 64, 24);
    Bande_A = Apparence::nomme(new QComboBox(page), QStringLiteral("Bande_A"));
    Bande_A->setEditable(true);
    Apparence::nommeListe(Bande_A, QStringLiteral("Bande"));
    Bande_A->setInsertPolicy(QComboBox::NoInsert);
    Bande_A->setGeometry(192, 56, 100, 24);
    Afficher = Apparence::nomme(new QPushButton(QStringLiteral("Afficher"), page),
                                QStringLiteral("Afficher"));
    Afficher->setGeometry(304, 56, 89, 25);

    Picture1 = Apparence::nomme(new QLabel(page), QStringLiteral("Picture1"));
    Picture1->setFrameShape(QFrame::Panel);
    Picture1->setFrameShadow(QFrame::Sunken);
    Picture1->setLineWidth(2);
    Picture1->setGeometry(8, 88, 481, 513);
    Picture1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Picture1->setPixmap(carte(devicePixelRatioF()));
    Picture1->setAutoFillBackground(true);
    Apparence::couleurFond(Picture1, Apparence::blanc);

    QFont police(QStringLiteral("Arial"));
    police.setPointSizeF(9.75);
    police.setBold(true);
    const QPoint origine = Picture1->contentsRect().topLeft();
    for (int i = 0; i < nombreCases; ++i) {
        QLabel* c =
            Apparence::nomme(new QLabel(texteCase(i), Picture1), QStringLiteral("Dep(%1)").arg(i));
        c->setFont(police);
        c->setAlignment(Qt::AlignCenter);
        c->setFrameShape(QFrame::Box);
        c->setAutoFillBackground(true);
        c->setGeometry(QRect(positionCase(i) + origine, QSize(largeurCase, hauteurCase)));
        Apparence::couleurFond(c, Apparence::blanc);
        c->setVisible(caseVisible(i));
        Dep[size_t(i)] = c;
    }

    Nb_Conf = Apparence::nomme(new QLineEdit(page), QStringLiteral("Nb_Conf"));
    Nb_Nconf = Apparence::nomme(new QLineEdit(page), QStringLiteral("Nb_Nconf"));
    Nb_Ncont = Apparence::nomme(new QLineEdit(page), QStringLiteral("Nb_Ncont"));
    const std::array<std::pair<QLineEdit*, QColor>, 3> legende = {{
        {Nb_Conf, Apparence::vertClair},
        {Nb_Nconf, couleur(rouge)},
        {Nb_Ncont, couleur(jaune)},
    }};
    int x = 8;
    for (const auto& [boite, fond] : legende) {
        boite->setReadOnly(true);
        boite->setFocusPolicy(Qt::NoFocus);
        boite->setGeometry(x, 608, 155, 21);
        Apparence::couleurFond(boite, fond);
        x += 160;
    }

    connect(Afficher, &QPushButton::clicked, this, &Carte_Acti_KZT::Afficher_Click);

    auto* vue = new QScrollArea(this);
    vue->setObjectName(QStringLiteral("Vue_Carte"));
    vue->setFrameShape(QFrame::NoFrame);
    vue->setAccessibleName(windowTitle());
    vue->setWidget(page);
    vue->setAlignment(Qt::AlignCenter);
    auto* colonne = new QVBoxLayout(this);
    colonne->setContentsMargins(0, 0, 0, 0);
    colonne->addWidget(vue);
    // The whole page when the screen has room for it.
    const int barre = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, vue);
    const QSize libre = Apparence::placeLibre(this);
    QSize taille(largeurImage, hauteurImage);
    if (taille.height() > libre.height())
        taille.rwidth() += barre;
    if (taille.width() > libre.width())
        taille.rheight() += barre;
    resize(taille.boundedTo(libre));

    Apparence::centreFenetre(this);

    Bande_A->clear();
    Bande_A->addItems(groupesBande());
    Bande_A->setCurrentIndex(0);
    for (int i = 1; i < nombreCases; ++i)
        colorie(i, jaune);
    Afficher_Click();
}

void Carte_Acti_KZT::colorie(int index, unsigned valeur)
{
    QLabel* c = Dep[size_t(index)];
    Apparence::couleurFond(c, couleur(valeur));
    // A screen reader says the department and its state, as the colour shows it.
    c->setAccessibleName(nomPourLecteur(texteCase(index).toUpper(), etatDe(valeur)));
}

QString Carte_Acti_KZT::nomPourLecteur(const QString& departement, Etat etat)
{
    switch (etat) {
    case Etat::Confirme:
        return departement + QStringLiteral(" confirmé");
    case Etat::Contacte:
        return departement + QStringLiteral(" contacté, non confirmé");
    case Etat::NonContacte:
        break;
    }
    return departement + QStringLiteral(" non contacté");
}

void Carte_Acti_KZT::showEvent(QShowEvent* evenement)
{
    QWidget::showEvent(evenement);
    // The map drawn for the pixel density of the screen the window is on,
    // again when it goes to another screen.
    if (QWindow* w = windowHandle(); w && !m_suitEcran) {
        m_suitEcran = true;
        connect(w, &QWindow::screenChanged, this,
                [this] { Picture1->setPixmap(carte(devicePixelRatioF())); });
    }
    Picture1->setPixmap(carte(devicePixelRatioF()));
}

QPixmap Carte_Acti_KZT::carte(qreal densite)
{
    const QSize taille(largeurCarte, hauteurCarte);
    if (densite <= 1.0)
        return QPixmap(QStringLiteral(":/kzt/carte_departements.png"));
    QPixmap p(QStringLiteral(":/kzt/carte_departements@2x.png"));
    // Between and beyond the two drawings, the larger one brought to the
    // screen's pixels once, smoothly, rather than at each painting.
    const QSize pixels = (QSizeF(taille) * densite).toSize();
    if (p.size() != pixels)
        p = p.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    p.setDevicePixelRatio(densite);
    return p;
}

Etat Carte_Acti_KZT::etatCase(int index) const
{
    return etatDe(rgb(Apparence::couleurFond(Dep.at(size_t(index)))));
}

Carte Carte_Acti_KZT::Colorie_Carte(const QString& groupe)
{
    Carte carte;
    const Statut lu = CarteDepartements::Colorie_Carte(
        StationLog(m_services.dossier, m_indicatif()).chemin(), groupe, &carte);
    for (int i = 0; i < nombreCases; ++i)
        colorie(i, couleur(carte.cases[size_t(i)]));
    if (!lu)
        m_services.messages.avise(lu.message);
    return carte;
}

void Carte_Acti_KZT::Afficher_Click()
{
    const QString groupe = Bande_A->currentText();
    if (groupe.isEmpty()) {
        m_services.messages.avise(QStringLiteral("Selectionnez une bande"));
        return;
    }
    if (const QString m = Texte::messageControle(QStringLiteral("Bande"), groupe); !m.isEmpty()) {
        m_services.messages.avise(m);
        return;
    }
    Bande_Carte->setText(groupe);
    const Carte carte = Colorie_Carte(groupe);
    NB_Dep->setText(QString::number(carte.contactes));
    Nb_Nconf->setText(legendeNonConfirmes(carte.nonConfirmes));
    Nb_Conf->setText(legendeConfirmes(carte.confirmes));
    Nb_Ncont->setText(legendeNonContactes(carte.nonContactes()));
}
