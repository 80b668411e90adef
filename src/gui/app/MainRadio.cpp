// The radio of the menu "Trafic": its settings window, its status line, and
// its band and mode given to the entry area.

#include "Main.h"
#include "Reglage_Radio.h"
#include "core/radio/Radio.h"
#include "gui/entry/LiaisonSaisie.h"
#include "gui/platform/Apparence.h"

#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

void Main::construitRadio()
{
    m_radio = new Radio(this);
    Statut_Radio = Apparence::etiquette(this, "Statut_Radio", QString());
    Statut_Radio->setAccessibleName(QStringLiteral("Radio"));
    statusBar()->setObjectName(QStringLiteral("Barre_Etat"));
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addWidget(Statut_Radio, 1);
    // Without a radio, no status line.
    statusBar()->hide();
    connect(m_radio, &Radio::statutChange, this, [this](const QString& statut) {
        Statut_Radio->setText(statut);
        // The hunt's line, once it named a windmill, keeps the bar shown.
        statusBar()->setVisible(!statut.isEmpty() || Statut_Chasse);
    });
    connect(m_radio, &Radio::lu, this, &Main::radioLue);
}

// hamlib and its backends load with the radio: started with the window, they
// would compete with it for the disk and the library loader. Half a second
// later, the window is drawn and the radio is read at once all the same.
void Main::demarreRadio()
{
    QTimer::singleShot(500, this,
                       [this] { m_radio->configure(ReglagesRadio::lit(m_services.reglages)); });
}

void Main::radioLue(qint64 hz, const QString& mode)
{
    const SuiviRadio::Changements c = m_suiviRadio.lecture(hz, mode);
    if ((c.bande >= 0 || c.mode >= 0) && !m_liaison->choixRadio(c.bande, c.mode))
        m_suiviRadio.nonPris(c);
}

void Main::Mnu_Reglage_Radio_Click()
{
    Apparence::ouvreUneFois<Reglage_Radio>(this, [this] {
        auto* fenetre = new Reglage_Radio(m_services.reglages, *m_radio, this);
        // Saved settings make a new radio: its readings are changes.
        connect(fenetre->Enregistrer, &QPushButton::clicked, this,
                [this] { m_suiviRadio.oublie(); });
        return fenetre;
    });
}
