#pragma once

#include "PosteRadio.h"
#include "Radio.h"

struct s_rig;

// A radio read through hamlib's C library, which is opened at run time
// (libhamlib.so.4) the first time a radio of hamlib is set or its list of
// models is asked for: a program without a radio never loads hamlib and its
// backends, and a computer without hamlib still runs the program. The only
// code that calls hamlib.
class PosteHamlib : public PosteRadio {
public:
    PosteHamlib() = default;
    ~PosteHamlib() override;
    PosteHamlib(const PosteHamlib&) = delete;
    PosteHamlib& operator=(const PosteHamlib&) = delete;

    // Why hamlib cannot be used, in French; empty once it is loaded.
    static QString absent();
    // The library's file name, that tests hide.
    static QString nomBibliotheque();
    static bool connu(int numero);
    // How the hamlib model of that number is reached.
    static ReglagesRadio::TypePort typePort(int numero);
    // hamlib's models, by maker and name.
    static QList<Radio::Modele> modeles();

    int ouvre(const ReglagesRadio& reglages, QString* raison) override;
    int lit(qint64* hz, QString* mode) override;
    int regleFrequence(qint64 hz) override;
    int regleMode(const QString& mode) override;

private:
    s_rig* m_rig = nullptr;
};
