#pragma once

#include "Radio.h"

#include <QObject>

class QTimer;
struct s_rig;

// The radio's side of Radio, living on its worker thread: the only code
// that calls hamlib. Its slots are called through queued connections.
class PosteHamlib : public QObject {
    Q_OBJECT
public:
    explicit PosteHamlib(const Radio::Delais& delais);
    ~PosteHamlib() override;

    // How the hamlib model of that number is reached.
    static ReglagesRadio::TypePort typePort(int numero);

public Q_SLOTS:
    void configure(const ReglagesRadio& reglages);
    void accorde(qint64 hz, const QString& modeRadio);
    void demandeModeles();
    void teste(const ReglagesRadio& reglages);
    // Closes the radio, before the thread ends.
    void arrete();

Q_SIGNALS:
    void lu(qint64 hz, const QString& mode);
    void etat(bool connectee, const QString& statut);
    void modelesRecus(const QList<Radio::Modele>& modeles);
    void testTermine(bool reussi, const QString& message);

private:
    // Opens the radio of m_reglages; false with the reason on failure.
    bool ouvre(QString* raison);
    void ferme();
    void interroge();
    // The radio was lost: closed, and tried again after the delay due.
    void perdue(const QString& raison);
    void essaie();

    Radio::Delais m_delais;
    ReglagesRadio m_reglages;
    s_rig* m_rig = nullptr;
    QTimer* m_interrogation = nullptr;
    QTimer* m_nouvelEssai = nullptr;
    qint64 m_perdueDepuis = -1; // ms since the epoch; -1 while connected
    int m_generation = 0;
};
