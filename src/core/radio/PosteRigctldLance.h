#pragma once

#include "PosteRigctld.h"
#include "Radio.h"

#include <QList>
#include <QString>

#include <memory>

class QProcess;

// A radio of hamlib reached through a rigctld the program starts itself,
// from the folder the settings name, with their model, port and speed, on a
// free loopback port; it is then spoken to as PosteRigctld does. The daemon
// lives as long as this object, on the radio's worker thread: it is ended
// when the radio is closed, and by the system with the program in any case.
class PosteRigctldLance : public PosteRadio {
public:
    PosteRigctldLance();
    ~PosteRigctldLance() override;

    int ouvre(const ReglagesRadio& reglages, QString* raison) override;
    int lit(qint64* hz, QString* mode) override;
    int regleFrequence(qint64 hz) override;
    int regleMode(const QString& mode) override;
    QString raison() override;

    // How long rigctld has to take connections once started, in ms.
    static constexpr int delaiDemarrage = 5000;
    // How long, after a failed reading, rigctld still running has to say
    // why (it tries a serial port for about 2 s before it says it cannot
    // open it), in ms.
    static constexpr int attenteErreurMs = 3000;

    // rigctld in that folder (rigctld.exe on Windows); empty when missing.
    static QString programme(const QString& dossier);
    // Why no rigctld can be started from that folder, in French; empty
    // when it can.
    static QString absent(const QString& dossier);
    // The models of "rigctld -l" run from that folder; when it cannot be
    // run, none, and why.
    static QList<Radio::Modele> modeles(const QString& dossier, QString* manque);
    // The models in the output of "rigctld -l": its columns as its heading
    // places them.
    static QList<Radio::Modele> lisListe(const QByteArray& sortie);
    // What rigctld wrote on its error output, as the status line says it:
    // the error of its last lines that is known, in French; otherwise its
    // last line as it is; empty when it wrote nothing.
    static QString traduit(const QByteArray& erreurs, const QString& port);
    // The rigctld started and not ended yet, in the whole process, by their
    // system's process number.
    static QList<qint64> enCours();

private:
    // Ends rigctld (asked first, then forced) and forgets it.
    void arreteDaemon();
    // What rigctld wrote on its error output, kept to its last lines.
    void litErreurs();
    // True, with the reason in French, once rigctld has ended.
    bool termine(QString* raison);

    std::unique_ptr<QProcess> m_processus;
    std::unique_ptr<PosteRigctld> m_client;
    QString m_port;
    qint64 m_pid = 0;
    QByteArray m_erreurs;
};
