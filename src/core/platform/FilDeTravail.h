#pragma once

#include <QMetaObject>
#include <QObject>
#include <QString>

#include <functional>
#include <utility>

class QThread;

// The worker thread of a live part (the radio, the cluster's connection):
// one object that does the slow I/O lives there, and the windows' thread
// only sends it orders, queued, in the order given. The end is bounded: a
// worker caught in a call that blocks (a radio that never answers) is not
// waited for past `borne` ms; such a thread is left to the end of the
// process (sortie), which then comes at once, so that the program never
// lingers after its windows closed.
class FilDeTravail {
public:
    static constexpr int borne = 250;

    // Moves the worker to a new thread of that name and starts it; the
    // worker is deleted on its thread when the thread ends.
    FilDeTravail(const QString& nom, QObject* travailleur);
    // Ends the thread as arrete() does, if not done yet.
    ~FilDeTravail();
    FilDeTravail(const FilDeTravail&) = delete;
    FilDeTravail& operator=(const FilDeTravail&) = delete;

    // Queues an order (a call on the worker) for the worker's thread. Once
    // arrete() was called, the worker is gone or going: the order is dropped.
    template <typename Ordre> void ordonne(Ordre&& ordre) const
    {
        if (m_arrete)
            return;
        QMetaObject::invokeMethod(m_travailleur, std::forward<Ordre>(ordre), Qt::QueuedConnection);
    }

    // Runs `dernier` on the worker's thread after the orders already given
    // (it closes what the worker holds), then ends the thread. True when the
    // thread ended within the bound; otherwise it ends by itself, later, as
    // soon as it is free, without `dernier` nor the orders still queued (the
    // worker's destructor closes what it holds). Orders given afterwards are
    // dropped.
    bool arrete(const std::function<void()>& dernier = {});

    // Workers not deleted yet, in the whole process: a worker is counted
    // until its destructor has run on its thread.
    static int enCours();
    // The program's exit code, at the end of main: with a worker thread
    // still blocked, the process ends here at once (what it wrote is flushed
    // first), rather than running the library's end under that thread.
    static int sortie(int code);

private:
    QThread* m_fil;
    QObject* m_travailleur;
    bool m_arrete = false;
};
