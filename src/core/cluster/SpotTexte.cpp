// The cleaning of what a node sends: the bytes of a line made readable text.

#include "Spot.h"

QByteArray Spot::nettoie(QByteArrayView brut)
{
    QByteArray propre;
    propre.reserve(brut.size());
    const qsizetype n = brut.size();
    for (qsizetype i = 0; i < n; ++i) {
        const auto c = static_cast<unsigned char>(brut[i]);
        if (c == 0xFF && i + 1 < n) {
            // Telnet: IAC IAC is the byte 255 itself; IAC WILL/WONT/DO/DONT
            // take an option byte; IAC SB ... IAC SE a whole negotiation.
            const auto commande = static_cast<unsigned char>(brut[i + 1]);
            if (commande == 0xFF) {
                propre += char(0xFF);
                ++i;
            } else if (commande >= 0xFB) {
                i += 2;
            } else if (commande == 0xFA) {
                i += 2;
                while (i + 1 < n && !(static_cast<unsigned char>(brut[i]) == 0xFF &&
                                      static_cast<unsigned char>(brut[i + 1]) == 0xF0))
                    ++i;
                ++i;
            } else {
                ++i;
            }
            continue;
        }
        if (c == 0x1B) {
            // ESC [ parameters and a final byte (colours, cursor); ESC and
            // one byte otherwise.
            if (i + 1 < n && brut[i + 1] == '[') {
                i += 2;
                while (i < n && !(brut[i] >= 0x40 && brut[i] <= 0x7E))
                    ++i;
            } else {
                ++i;
            }
            continue;
        }
        if (c == '\t')
            propre += ' ';
        else if (c >= 0x20 && c != 0x7F)
            propre += char(c);
    }
    return propre;
}

QString Spot::texte(QByteArrayView ligne)
{
    return ligne.isValidUtf8() ? QString::fromUtf8(ligne) : QString::fromLatin1(ligne);
}
