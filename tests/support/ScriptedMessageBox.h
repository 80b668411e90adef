#pragma once

#include "core/platform/MessageBox.h"

#include <QList>
#include <QString>
#include <QStringList>

// Stands in for the user: answers from a script and records what was shown.
// With the script empty it answers OK, or Yes to a question.
class ScriptedMessageBox : public MessageBox {
public:
    struct Shown {
        QString text;
        Buttons buttons;
    };

    Answer show(const QString& text, Buttons buttons) override;

    void queue(Answer answer) { m_script.append(answer); }
    const QList<Shown>& shown() const { return m_shown; }
    QStringList texts() const;
    QString lastText() const { return m_shown.isEmpty() ? QString() : m_shown.last().text; }
    void clear() { m_shown.clear(); }

private:
    QList<Answer> m_script;
    QList<Shown> m_shown;
};
