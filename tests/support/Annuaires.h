#pragma once

#include <QByteArray>

// The answers of the two online callbooks, byte for byte as their XML
// services send them: HamQTH (www.hamqth.com/xml.php) and QRZ.com
// (xmldata.qrz.com/xml/current).
namespace Annuaires {

inline const QByteArray hamQthSession =
    "<?xml version=\"1.0\"?>\n"
    "<HamQTH version=\"2.7\" xmlns=\"https://www.hamqth.com\">\n"
    "<session>\n"
    "<session_id>09b0ae90050be03c452ad235a1f2915ad684393c</session_id>\n"
    "</session>\n"
    "</HamQTH>\n";

inline QByteArray hamQthErreur(const QByteArray& texte)
{
    return "<?xml version=\"1.0\"?>\n"
           "<HamQTH version=\"2.7\" xmlns=\"https://www.hamqth.com\">\n"
           "<session>\n"
           "<error>" +
           texte +
           "</error>\n"
           "</session>\n"
           "</HamQTH>\n";
}

// A record; an empty nick is left out, as the service leaves out what the
// station did not give.
inline QByteArray hamQthFiche(const QByteArray& indicatif, const QByteArray& surnom,
                              const QByteArray& nom)
{
    return "<?xml version=\"1.0\"?>\n"
           "<HamQTH version=\"2.7\" xmlns=\"https://www.hamqth.com\">\n"
           "<search>\n"
           "<callsign>" +
           indicatif.toLower() + "</callsign>\n" +
           (surnom.isEmpty() ? QByteArray() : "<nick>" + surnom + "</nick>\n") +
           "<qth>Neratovice</qth>\n"
           "<country>Czech Republic</country>\n"
           "<adif>503</adif>\n"
           "<itu>28</itu>\n"
           "<cq>15</cq>\n"
           "<grid>jo70gg</grid>\n"
           "<adr_name>" +
           nom +
           "</adr_name>\n"
           "<adr_street1>17. listopadu 1065</adr_street1>\n"
           "<adr_city>Neratovice</adr_city>\n"
           "<adr_zip>27711</adr_zip>\n"
           "<adr_country>Czech Republic</adr_country>\n"
           "<lotw>Y</lotw>\n"
           "<qsl>Y</qsl>\n"
           "</search>\n"
           "</HamQTH>\n";
}

inline const QByteArray qrzSession =
    "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\n"
    "<QRZDatabase version=\"1.34\" xmlns=\"http://xmldata.qrz.com\">\n"
    "  <Session>\n"
    "    <Key>2331uf894c4bd29f3923f3bacf02c532d7bd9</Key>\n"
    "    <Count>123</Count>\n"
    "    <SubExp>Wed Jan 1 12:34:03 2027</SubExp>\n"
    "    <GMTime>Tue Dec  8 10:51:47 2026</GMTime>\n"
    "  </Session>\n"
    "</QRZDatabase>\n";

inline QByteArray qrzErreur(const QByteArray& texte)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\n"
           "<QRZDatabase version=\"1.34\" xmlns=\"http://xmldata.qrz.com\">\n"
           "  <Session>\n"
           "    <Error>" +
           texte +
           "</Error>\n"
           "    <GMTime>Tue Dec  8 10:51:47 2026</GMTime>\n"
           "  </Session>\n"
           "</QRZDatabase>\n";
}

inline QByteArray qrzFiche(const QByteArray& indicatif, const QByteArray& prenom)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\n"
           "<QRZDatabase version=\"1.34\" xmlns=\"http://xmldata.qrz.com\">\n"
           "  <Callsign>\n"
           "    <call>" +
           indicatif +
           "</call>\n"
           "    <fname>" +
           prenom +
           "</fname>\n"
           "    <name>LLOYD</name>\n"
           "    <addr2>JACKSONVILLE</addr2>\n"
           "    <country>United States</country>\n"
           "  </Callsign>\n"
           "  <Session>\n"
           "    <Key>2331uf894c4bd29f3923f3bacf02c532d7bd9</Key>\n"
           "    <Count>124</Count>\n"
           "    <SubExp>Wed Jan 1 12:34:03 2027</SubExp>\n"
           "    <GMTime>Tue Dec  8 10:52:01 2026</GMTime>\n"
           "  </Session>\n"
           "</QRZDatabase>\n";
}

} // namespace Annuaires
