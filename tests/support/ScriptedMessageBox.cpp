#include "ScriptedMessageBox.h"

MessageBox::Answer ScriptedMessageBox::show(const QString& text, Buttons buttons)
{
    m_shown.append({text, buttons});
    if (!m_script.isEmpty())
        return m_script.takeFirst();
    return buttons == YesNo ? AnswerYes : AnswerOk;
}

QStringList ScriptedMessageBox::texts() const
{
    QStringList list;
    for (const Shown& s : m_shown)
        list.append(s.text);
    return list;
}
