#pragma once

#include <QList>
#include <QString>

// Every refusal, notice and confirmation of the program goes through a
// MessageBox: modal, titled "RQN_KZT", no icon, OK alone or Yes and No.
// Texts may hold CR LF line breaks.
class MessageBox {
public:
    enum Buttons { Ok, YesNo };
    enum Answer { AnswerOk, AnswerYes, AnswerNo };

    virtual ~MessageBox() = default;
    virtual Answer show(const QString& text, Buttons buttons) = 0;

    void notice(const QString& text) { show(text, Ok); }
    bool confirm(const QString& text) { return show(text, YesNo) == AnswerYes; }
};
