#pragma once

#include <QString>

// A text between French quotes, as every message writes a name, a value or a
// file: « texte ».
inline QString entreGuillemets(const QString& texte)
{
    return QStringLiteral("« %1 »").arg(texte);
}
