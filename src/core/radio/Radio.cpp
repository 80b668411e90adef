#include "Radio.h"

#include "PosteHamlib.h"
#include "SuiviRadio.h"

#include <QThread>

#include <clocale>

Radio::Radio(QObject* parent) : Radio(Delais(), parent) {}

Radio::Radio(const Delais& delais, QObject* parent)
    : QObject(parent), m_fil(new QThread), m_poste(new PosteHamlib(delais))
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
    m_fil->setObjectName(QStringLiteral("Radio"));
    m_poste->moveToThread(m_fil);
    connect(m_fil, &QThread::finished, m_poste, &QObject::deleteLater);
    connect(m_poste, &PosteHamlib::lu, this, &Radio::recoitLecture);
    connect(m_poste, &PosteHamlib::etat, this, &Radio::connecteEtat);
    connect(m_poste, &PosteHamlib::modelesRecus, this, &Radio::modelesRecus);
    connect(m_poste, &PosteHamlib::testTermine, this, &Radio::testTermine);
    m_fil->start();
}

Radio::~Radio()
{
    QMetaObject::invokeMethod(m_poste, &PosteHamlib::arrete, Qt::QueuedConnection);
    m_fil->quit();
    // A radio that keeps hamlib waiting (one second at most for a read)
    // must not hold the program's end: past that, the thread is left to end
    // by itself with the process.
    if (m_fil->wait(3000))
        delete m_fil;
}

void Radio::configure(const ReglagesRadio& reglages)
{
    m_reglages = reglages;
    m_connectee = false;
    QMetaObject::invokeMethod(m_poste, "configure", Qt::QueuedConnection,
                              Q_ARG(ReglagesRadio, reglages));
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
    QString modeRadio;
    if (mode == QLatin1String("SSB"))
        modeRadio = hz < 10000000 ? QStringLiteral("LSB") : QStringLiteral("USB");
    else if (mode == QLatin1String("CW") || mode == QLatin1String("FM") ||
             mode == QLatin1String("USB") || mode == QLatin1String("LSB"))
        modeRadio = mode;
    QMetaObject::invokeMethod(m_poste, "accorde", Qt::QueuedConnection, Q_ARG(qint64, hz),
                              Q_ARG(QString, modeRadio));
    return Statut::valide();
}

void Radio::demandeModeles()
{
    QMetaObject::invokeMethod(m_poste, &PosteHamlib::demandeModeles, Qt::QueuedConnection);
}

void Radio::teste(const ReglagesRadio& reglages)
{
    QMetaObject::invokeMethod(m_poste, "teste", Qt::QueuedConnection,
                              Q_ARG(ReglagesRadio, reglages));
}

void Radio::connecteEtat(bool connectee, const QString& statut)
{
    m_connectee = connectee;
    // While connected, the status line shows the readings.
    if (!connectee)
        changeStatut(statut);
}

void Radio::recoitLecture(qint64 hz, const QString& mode)
{
    m_connectee = true;
    changeStatut(SuiviRadio::texteLecture(hz, mode));
    Q_EMIT lu(hz, mode);
}

void Radio::changeStatut(const QString& statut)
{
    if (statut == m_statut)
        return;
    m_statut = statut;
    Q_EMIT statutChange(m_statut);
}
