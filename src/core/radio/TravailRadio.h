#pragma once

#include "Radio.h"

#include <QObject>

#include <memory>

class Horloge;
class PosteRadio;
class QTimer;

// The radio's side of Radio, living on its worker thread: it opens the
// radio the way the settings say (PosteRadio), polls it, tunes it, and opens
// it again after a loss. Its functions are called through queued orders.
class TravailRadio : public QObject {
    Q_OBJECT
public:
    TravailRadio(const Radio::Delais& delais, const Horloge* horloge);
    ~TravailRadio() override;

    // Why settings cannot be tried, in French (hamlib missing, a model it
    // does not know, a port missing); empty when they can.
    static QString defautReglages(const ReglagesRadio& reglages);

    void configure(const ReglagesRadio& reglages);
    void accorde(qint64 hz, const QString& modeRadio);
    void demandeModeles(const ReglagesRadio& reglages);
    void teste(const ReglagesRadio& reglages);
    // Closes the radio, before the thread ends.
    void arrete();

Q_SIGNALS:
    void lu(qint64 hz, const QString& mode);
    void etat(bool connectee, const QString& statut);
    // An order the radio refused; it stays connected.
    void refus(const QString& statut);
    void modelesRecus(const QList<Radio::Modele>& modeles, const QString& manque);
    void testTermine(bool reussi, const QString& message);

private:
    void essaie();
    void interroge();
    // The radio was lost: closed, and tried again after the delay due.
    void perdue(const QString& raison);
    void ferme();
    // Why the radio in use was lost, after a call that failed with `code`.
    QString raisonPerte(int code);

    Radio::Delais m_delais;
    ReglagesRadio m_reglages;
    std::unique_ptr<PosteRadio> m_poste;
    QTimer* m_interrogation;
    Reprise m_nouvelEssai;
};
