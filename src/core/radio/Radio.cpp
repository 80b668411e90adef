#include "Radio.h"

#include "SuiviRadio.h"
#include "TravailRadio.h"
#include "core/log/ModesLog.h"
#include "core/platform/FilDeTravail.h"

#include <clocale>

Radio::Radio(QObject* parent) : Radio(Delais(), parent) {}

Radio::Radio(const Delais& delais, QObject* parent, const Horloge* horloge)
    : QObject(parent), m_travail(new TravailRadio(delais, horloge))
{
    // hamlib sets the numbers' locale to "C" around its exchanges and puts
    // back the one it found through a name that its own change has freed:
    // with "C" already in place, the name is the library's constant and
    // nothing is freed. Set here, on the windows' thread, before the worker
    // starts; the program formats its numbers with QLocale, not the C
    // library's locale.
    std::setlocale(LC_NUMERIC, "C");
    qRegisterMetaType<ReglagesRadio>();
    qRegisterMetaType<QList<Radio::Modele>>();
    connect(m_travail, &TravailRadio::lu, this, &Radio::recoitLecture);
    connect(m_travail, &TravailRadio::etat, this, &Radio::recoitEtat);
    connect(m_travail, &TravailRadio::refus, this, &Radio::recoitRefus);
    connect(m_travail, &TravailRadio::modelesRecus, this, &Radio::modelesRecus);
    connect(m_travail, &TravailRadio::testTermine, this, &Radio::testTermine);
    m_fil = std::make_unique<FilDeTravail>(QStringLiteral("Radio"), m_travail);
}

Radio::~Radio()
{
    // A radio that keeps the worker waiting never holds the program's end.
    m_fil->arrete([t = m_travail] { t->arrete(); });
}

void Radio::configure(const ReglagesRadio& reglages)
{
    m_reglages = reglages;
    m_connectee = false;
    m_refus.clear();
    m_fil->ordonne([t = m_travail, reglages] { t->configure(reglages); });
}

Statut Radio::accorde(qint64 hz, const QString& mode)
{
    if (!m_connectee) {
        return Statut::enEchec(
            m_reglages.avecRadio()
                ? QStringLiteral("La radio n'est pas connectée : elle n'a pas été réglée sur "
                                 "cette fréquence.")
                : QStringLiteral("Aucune radio n'est réglée (menu « Trafic », « Réglage de la "
                                 "radio »)."));
    }
    const QString modeRadio = ModesLog::modeRadio(mode, hz);
    m_refus.clear();
    m_fil->ordonne([t = m_travail, hz, modeRadio] { t->accorde(hz, modeRadio); });
    return Statut::valide();
}

void Radio::demandeModeles(const ReglagesRadio& reglages)
{
    m_fil->ordonne([t = m_travail, reglages] { t->demandeModeles(reglages); });
}

void Radio::teste(const ReglagesRadio& reglages)
{
    m_fil->ordonne([t = m_travail, reglages] { t->teste(reglages); });
}

void Radio::recoitEtat(bool connectee, const QString& statut)
{
    m_connectee = connectee;
    // While connected, the status line shows the readings.
    if (!connectee) {
        m_refus.clear();
        m_hz = -1;
        changeStatut(statut);
    }
}

void Radio::recoitLecture(qint64 hz, const QString& mode)
{
    m_connectee = true;
    if (m_refus.isEmpty() || hz != m_hz || mode != m_mode) {
        m_refus.clear();
        m_hz = hz;
        m_mode = mode;
        changeStatut(SuiviRadio::texteLecture(hz, mode));
    }
    Q_EMIT lu(hz, mode);
}

void Radio::recoitRefus(const QString& statut)
{
    m_refus = statut;
    changeStatut(statut);
}

void Radio::changeStatut(const QString& statut)
{
    if (statut == m_statut)
        return;
    m_statut = statut;
    Q_EMIT statutChange(m_statut);
}
