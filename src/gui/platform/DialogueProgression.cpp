#include "DialogueProgression.h"

#include "core/platform/Progression.h"

#include <QCloseEvent>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProgressDialog>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <climits>
#include <memory>

namespace {

// What the work tells and what the user asks, shared between the two threads.
class ProgressionPartagee : public Progression {
public:
    void avance(qint64 fait, qint64 total) override
    {
        m_fait.store(fait);
        m_total.store(qMax<qint64>(total, 1));
    }
    bool annulee() const override { return m_arret.load(); }

    void arrete() { m_arret.store(true); }
    // Thousandths done.
    int milliemes() const
    {
        const qint64 milliemes = m_fait.load() * 1000 / m_total.load();
        return int(qBound(qint64(0), milliemes, qint64(1000)));
    }

private:
    std::atomic<qint64> m_fait{0};
    std::atomic<qint64> m_total{1};
    std::atomic<bool> m_arret{false};
};

// Stays until the work has ended: "Annuler", Escape and the close box ask it
// to stop, and the window says so while it winds down.
class FenetreProgression : public QProgressDialog {
public:
    FenetreProgression(const QString& texte, QWidget* parent)
        : QProgressDialog(texte, QStringLiteral("Annuler"), 0, 1000, parent)
    {
        // The dialog's own cancel would hide it at once.
        disconnect(this, &QProgressDialog::canceled, this, &QProgressDialog::cancel);
    }
    bool m_fini = false;

protected:
    void closeEvent(QCloseEvent* evenement) override
    {
        if (m_fini)
            return QProgressDialog::closeEvent(evenement);
        evenement->ignore();
        Q_EMIT canceled();
    }
    void reject() override
    {
        if (m_fini)
            return QProgressDialog::reject();
        Q_EMIT canceled();
    }
};

} // namespace

void DialogueProgression::execute(const QString& texte,
                                  const std::function<void(Progression&)>& travail)
{
    ProgressionPartagee progression;
    std::atomic<bool> fini{false};
    std::unique_ptr<QThread> fil(QThread::create([&] {
        travail(progression);
        fini.store(true);
    }));

    FenetreProgression fenetre(texte, m_parent);
    fenetre.setObjectName(QStringLiteral("Progression"));
    fenetre.setWindowTitle(QStringLiteral("RQN_KZT"));
    fenetre.setAccessibleName(texte);
    fenetre.setAutoClose(false);
    fenetre.setAutoReset(false);
    // Shown here, not by the dialog's own estimate.
    fenetre.setMinimumDuration(INT_MAX);
    fenetre.hide();
    QObject::connect(&fenetre, &QProgressDialog::canceled, &fenetre, [&] {
        progression.arrete();
        fenetre.setLabelText(QStringLiteral("Arrêt en cours…"));
        if (auto* annuler = fenetre.findChild<QPushButton*>())
            annuler->setEnabled(false);
    });

    QEventLoop boucle;
    QElapsedTimer depuis;
    QTimer pas;
    pas.setInterval(50);
    QObject::connect(&pas, &QTimer::timeout, &fenetre, [&] {
        if (fini.load()) {
            boucle.quit();
        } else if (fenetre.isVisible()) {
            fenetre.setValue(progression.milliemes());
        } else if (depuis.elapsed() >= delaiAffichageMs) {
            fenetre.setWindowModality(Qt::ApplicationModal);
            fenetre.setValue(progression.milliemes());
            fenetre.show();
        }
    });
    QObject::connect(fil.get(), &QThread::finished, &boucle, &QEventLoop::quit);
    depuis.start();
    pas.start();
    fil->start();
    // Until the window shows, the user's keys and clicks wait: they would
    // go to windows the work may change.
    while (!fini.load() && !fenetre.isVisible())
        boucle.processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
    while (!fini.load())
        boucle.exec();
    fil->wait();
    fenetre.m_fini = true;
    fenetre.hide();
}
