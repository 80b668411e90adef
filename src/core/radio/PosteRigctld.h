#pragma once

#include "PosteRadio.h"

#include <QByteArrayList>

#include <memory>

class QTcpSocket;

// A radio served by hamlib's network daemon, rigctld, spoken to in its
// documented protocol: "f" and "m" read the frequency and the mode, "F" and
// "M" set them, "RPRT n" answers a setting (0, or hamlib's error code,
// negative). The operator runs rigctld (rigctld.exe on Windows) beside the
// program; no hamlib library is needed here.
class PosteRigctld : public PosteRadio {
public:
    PosteRigctld();
    ~PosteRigctld() override;

    int ouvre(const ReglagesRadio& reglages, QString* raison) override;
    int lit(qint64* hz, QString* mode) override;
    int regleFrequence(qint64 hz) override;
    int regleMode(const QString& mode) override;

    // How long an answer is waited for, in ms.
    static constexpr int delai = 1000;

private:
    // Sends one command and reads `lignes` lines of answer; 0, or the
    // error code of an "RPRT" answer or of the link.
    int echange(const QByteArray& commande, int lignes, QByteArrayList* reponse);

    std::unique_ptr<QTcpSocket> m_socket;
    QByteArray m_recu;
};
