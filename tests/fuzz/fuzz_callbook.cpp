// An online callbook's answer, any bytes, read as HamQTH's and as QRZ.com's
// XML: never both; nothing is read from what is not the service's XML, and a
// record's first name, once shaped, is one the log can hold.
//
// Input: the bytes the service sends.

#include "Aleatoire.h"

#include "core/callbook/ReponseAnnuaire.h"
#include "core/log/FirstNameMemory.h"

namespace {

void verifie(const ReponseAnnuaire& r)
{
    using Genre = ReponseAnnuaire::Genre;
    if (r.genre == Genre::Illisible)
        FUZZ_CHECK(r.session.isEmpty() && r.prenom.isEmpty() && r.message.isEmpty());
    if (r.genre != Genre::Fiche)
        FUZZ_CHECK(r.prenom.isEmpty());
    if (r.genre == Genre::Session)
        FUZZ_CHECK(!r.session.isEmpty());
    const QString prenom = FirstNameMemory::prenomDe(r.prenom);
    FUZZ_CHECK(prenom.size() <= 15);
    FUZZ_CHECK(Cp1252::estCodable(prenom));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille)
{
    const QByteArray xml(reinterpret_cast<const char*>(donnees), qsizetype(taille));
    const ReponseAnnuaire hamQth = ReponseAnnuaire::hamQth(xml);
    const ReponseAnnuaire qrz = ReponseAnnuaire::qrz(xml);
    verifie(hamQth);
    verifie(qrz);
    // One document cannot be both services' answer.
    FUZZ_CHECK(hamQth.genre == ReponseAnnuaire::Genre::Illisible ||
               qrz.genre == ReponseAnnuaire::Genre::Illisible);
    return 0;
}
