#include "FilDeTravail.h"

#include "Systeme.h"

#include <QThread>

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace {

std::atomic<int> gEnCours{0};

} // namespace

FilDeTravail::FilDeTravail(const QString& nom, QObject* travailleur)
    : m_fil(new QThread), m_travailleur(travailleur)
{
    m_fil->setObjectName(nom);
    m_travailleur->moveToThread(m_fil);
    QObject::connect(m_fil, &QThread::finished, m_travailleur, &QObject::deleteLater);
    // Counted off once the worker is deleted, on its thread, as the thread
    // ends: what its destructor closes (a radio's handle) is closed by then.
    // The thread emits `finished` before it runs that deletion, so a thread
    // left blocked, or still deleting, is counted until then.
    QObject::connect(
        m_travailleur, &QObject::destroyed, m_fil, [] { --gEnCours; }, Qt::DirectConnection);
    ++gEnCours;
    m_fil->start();
}

FilDeTravail::~FilDeTravail()
{
    arrete();
}

bool FilDeTravail::arrete(const std::function<void()>& dernier)
{
    if (m_arrete)
        return true;
    // The thread ends itself after the last order: a quit() from here could
    // end its event loop before the orders already queued are run.
    ordonne([dernier] {
        if (dernier)
            dernier();
        QThread::currentThread()->quit();
    });
    m_arrete = true;
    if (m_fil->wait(borne)) {
        delete m_fil;
        return true;
    }
    // Still blocked: once free, it ends without running the orders still
    // queued, and the thread deletes itself once it ends, if the windows'
    // thread is still there to do it.
    m_fil->quit();
    QObject::connect(m_fil, &QThread::finished, m_fil, &QObject::deleteLater);
    if (m_fil->isFinished())
        m_fil->deleteLater();
    return false;
}

int FilDeTravail::enCours()
{
    return gEnCours;
}

int FilDeTravail::sortie(int code)
{
    Systeme::finDuProcessus(code);
    if (gEnCours == 0)
        return code;
    std::fflush(nullptr);
    std::_Exit(code);
}
