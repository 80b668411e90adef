#include "Scores_Moulins.h"

#include "core/awards/Scores.h"
#include "core/log/StationLog.h"
#include "core/platform/BoiteMessage.h"
#include "gui/platform/Apparence.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

QLineEdit* boite(QWidget* parent, const char* nom)
{
    auto* b = new QLineEdit(parent);
    b->setObjectName(QLatin1String(nom));
    b->setReadOnly(true);
    b->setAlignment(Qt::AlignCenter);
    b->setMaximumWidth(b->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")));
    Apparence::couleurFond(b, Apparence::jauneClair);
    return b;
}

// One group: its title above two rows, each a caption and its count.
QFrame* groupe(QWidget* parent, const char* nom, QLabel* titre, QLabel* contactes, QLineEdit* ct,
               QLabel* confirmes, QLineEdit* cf)
{
    QFrame* f = Apparence::cadreNomme(parent, nom);
    QFont gras = titre->font();
    gras.setBold(true);
    gras.setPointSizeF(gras.pointSizeF() * 1.2);
    titre->setFont(gras);
    for (QWidget* w :
         {static_cast<QWidget*>(titre), static_cast<QWidget*>(contactes), static_cast<QWidget*>(ct),
          static_cast<QWidget*>(confirmes), static_cast<QWidget*>(cf)})
        w->setParent(f);
    // Each box is named by what it counts, for a screen reader.
    ct->setAccessibleName(titre->text() + QStringLiteral(" : ") + contactes->text());
    cf->setAccessibleName(titre->text() + QStringLiteral(" : ") + confirmes->text());
    auto* grille = new QGridLayout(f);
    grille->addWidget(titre, 0, 0, 1, 2);
    grille->addWidget(contactes, 1, 0);
    grille->addWidget(ct, 1, 1);
    grille->addWidget(confirmes, 2, 0);
    grille->addWidget(cf, 2, 1);
    grille->setColumnStretch(0, 1);
    return f;
}

} // namespace

Scores_Moulins::Scores_Moulins(const Services& services, const QString& indicatif, QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Scores_Moulins"));
    Apparence::clavier(this);
    setWindowTitle(QStringLiteral("Scores des diplomes KZT"));
    setAccessibleName(windowTitle());

    const QString contactes = QStringLiteral("Nombre de Moulins contactés");
    const QString confirmes = QStringLiteral("Nombre de Moulins confirmés");

    QFrame* banniere = Apparence::cadreNomme(this, "Frame4");
    Label2 = Apparence::etiquette(banniere, "Label2", QStringLiteral("Scores KZT"));
    QFont grand = Label2->font();
    grand.setBold(true);
    grand.setPointSizeF(grand.pointSizeF() * 1.6);
    Label2->setFont(grand);
    Label2->setAlignment(Qt::AlignCenter);
    (new QVBoxLayout(banniere))->addWidget(Label2);

    Label1 = Apparence::etiquette(this, "Label1", QStringLiteral("KZT HF"));
    Label5 = Apparence::etiquette(this, "Label5", QStringLiteral("KZT VHF"));
    Label6 = Apparence::etiquette(this, "Label6", QStringLiteral("KZT UHF"));
    HF_CT = boite(this, "HF_CT");
    HF_CF = boite(this, "HF_CF");
    VHF_CT = boite(this, "VHF_CT");
    VHF_CF = boite(this, "VHF_CF");
    UHF_CT = boite(this, "UHF_CT");
    UHF_CF = boite(this, "UHF_CF");

    auto* colonne = new QVBoxLayout(this);
    colonne->addWidget(banniere);
    colonne->addWidget(groupe(this, "Frame1", Label1,
                              Apparence::etiquette(this, "Label3", contactes), HF_CT,
                              Apparence::etiquette(this, "Label4", confirmes), HF_CF));
    colonne->addWidget(groupe(this, "Frame2", Label5,
                              Apparence::etiquette(this, "Label7", contactes), VHF_CT,
                              Apparence::etiquette(this, "Label9", confirmes), VHF_CF));
    colonne->addWidget(groupe(this, "Frame3", Label6,
                              Apparence::etiquette(this, "Label8", contactes), UHF_CT,
                              Apparence::etiquette(this, "Label10", confirmes), UHF_CF));

    adjustSize();
    setMinimumWidth(qMax(width(), 360));
    adjustSize();
    Apparence::centreFenetre(this);

    Scores::Tableau scoresCalcules;
    const Statut lu =
        Scores::calcule(StationLog(services.dossier, indicatif).chemin(), &scoresCalcules);
    const std::pair<QLineEdit*, int> valeurs[] = {
        {HF_CT, scoresCalcules.hf.contactes},   {HF_CF, scoresCalcules.hf.confirmes},
        {VHF_CT, scoresCalcules.vhf.contactes}, {VHF_CF, scoresCalcules.vhf.confirmes},
        {UHF_CT, scoresCalcules.uhf.contactes}, {UHF_CF, scoresCalcules.uhf.confirmes},
    };
    for (const auto& [b, n] : valeurs)
        b->setText(QString::number(n));
    if (!lu)
        services.messages.avise(lu.message);
}
