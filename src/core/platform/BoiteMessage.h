#pragma once

#include <QList>
#include <QString>

// Every refusal, notice and confirmation of the program goes through a
// BoiteMessage: modal, titled "RQN_KZT", no icon, OK alone or Yes and No.
// Texts may hold CR LF line breaks.
class BoiteMessage {
public:
    enum Boutons { Ok, OuiNon };
    enum ReponseBoite { ReponseOk, ReponseOui, ReponseNon };

    virtual ~BoiteMessage() = default;
    virtual ReponseBoite show(const QString& text, Boutons buttons) = 0;

    void notice(const QString& text) { show(text, Ok); }
    bool confirm(const QString& text) { return show(text, OuiNon) == ReponseOui; }
};
