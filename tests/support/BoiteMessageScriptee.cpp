#include "BoiteMessageScriptee.h"

BoiteMessage::ReponseBoite BoiteMessageScriptee::show(const QString& text, Boutons buttons)
{
    m_affichees.append({text, buttons});
    if (!m_script.isEmpty())
        return m_script.takeFirst();
    return buttons == OuiNon ? ReponseOui : ReponseOk;
}

QStringList BoiteMessageScriptee::texts() const
{
    QStringList list;
    for (const Affichee& s : m_affichees)
        list.append(s.text);
    return list;
}
