// What a cluster node sends, any bytes in pieces of any size: cut into
// lines (checked against a plain cutting byte by byte), cleaned, read as
// spots with their windmill reference, marked against an index made of the
// same lines taken as a log, and kept in the hunt's list.
//
// Input: a byte giving the size of the pieces (1 to 256), then the bytes
// the node sends.

#include "Aleatoire.h"

#include "core/cluster/ConnexionCluster.h"
#include "core/cluster/DecoupeLignes.h"
#include "core/cluster/IndexMoulins.h"
#include "core/cluster/Spot.h"
#include "core/cluster/TableauChasse.h"
#include "core/log/ModesLog.h"
#include "core/log/ReferenceMoulin.h"
#include "core/platform/Horloge.h"

namespace {

class HorlogeFixe : public Horloge {
public:
    QDateTime utcMaintenant() const override
    {
        return QDateTime(QDate(2026, 12, 7), QTime(14, 0), Qt::UTC);
    }
    QDateTime heureLocale(const QDateTime& utc) const override { return utc; }
};

// The lines a plain reading byte by byte gives: each ends at LF, CR LF or
// a CR alone, a line longer than the cutter keeps is left out, and what
// follows the last line end is the line being received.
QList<QByteArray> lignesOctetParOctet(const QByteArray& octets, QByteArray* partiel)
{
    QList<QByteArray> lignes;
    QByteArray ligne;
    bool apresCr = false;
    for (char c : octets) {
        if (c == '\n' && apresCr) {
            apresCr = false;
            continue;
        }
        apresCr = c == '\r';
        if (c != '\n' && c != '\r') {
            ligne += c;
            continue;
        }
        if (ligne.size() <= DecoupeLignes::longueurMax)
            lignes.append(ligne);
        ligne.clear();
    }
    *partiel = ligne.left(DecoupeLignes::longueurMax);
    return lignes;
}

bool reference(const QString& r)
{
    return r.isEmpty() || (r.size() == 5 && ReferenceMoulin::referenceValide(r));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille)
{
    if (taille < 1)
        return 0;
    const qsizetype morceau = qsizetype(donnees[0]) + 1;
    const QByteArray octets(reinterpret_cast<const char*>(donnees + 1), qsizetype(taille - 1));

    DecoupeLignes decoupe;
    QList<QByteArray> lignes;
    for (qsizetype i = 0; i < octets.size(); i += morceau) {
        decoupe.ajoute(QByteArrayView(octets).sliced(i, qMin(morceau, octets.size() - i)), &lignes);
        FUZZ_CHECK(decoupe.partiel().size() <= DecoupeLignes::longueurMax);
    }
    QByteArray partiel;
    FUZZ_CHECK(lignes == lignesOctetParOctet(octets, &partiel));
    FUZZ_CHECK(decoupe.partiel() == partiel);
    ConnexionCluster::inviteIdentification(Spot::nettoie(decoupe.partiel()));
    ConnexionCluster::inviteCommande(Spot::nettoie(decoupe.partiel()));

    IndexMoulins index;
    for (QByteArray& l : lignes) {
        index.ajouteLigne(l);
        l = Spot::nettoie(l);
        for (char c : l)
            FUZZ_CHECK(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F);
        const std::optional<Spot> s = Spot::lit(l);
        FUZZ_CHECK(reference(Spot::referenceDans(Spot::texte(l))));
        // The pieces of the line are the whole line, in order.
        QByteArray ensemble;
        for (const QByteArrayView m : Spot::morceaux(l)) {
            ensemble += m;
            // A piece is read whole: no spot is left inside it.
            FUZZ_CHECK(Spot::morceaux(m).size() == 1);
        }
        FUZZ_CHECK(ensemble == l);
        if (!s)
            continue;
        FUZZ_CHECK(QStringList({"CW", "USB", "LSB", "FM", "PKTUSB"}).contains(s->modeRadio));
        // The log's mode, or a data mode it cannot hold as the comment says it.
        FUZZ_CHECK(ModesLog::court(s->mode) == s->mode ||
                   ModesLog::genre(s->mode) == ModesLog::Genre::Donnees);
        FUZZ_CHECK(s->hz >= Spot::hzMin && s->hz <= Spot::hzMax);
        FUZZ_CHECK(Spot::indicatifValide(s->indicatif));
        FUZZ_CHECK(reference(s->reference));
        FUZZ_CHECK(s->reference == Spot::referenceDans(s->commentaire));
        FUZZ_CHECK(s->heure.isEmpty() || s->heure.size() == 5);
        FUZZ_CHECK(s->commentaire == s->commentaire.trimmed());
        // The frequency shown is the one read, to 50 Hz.
        qint64 relu = 0;
        FUZZ_CHECK(Spot::frequenceKhz(s->texteKhz(), &relu) && qAbs(relu - s->hz) <= 50);
        const IndexMoulins::Marque m = index.marque(s->reference, s->hz);
        FUZZ_CHECK((m.etat == IndexMoulins::Etat::SansMoulin) == s->reference.isEmpty());
        FUZZ_CHECK(m.texte.isEmpty() == s->reference.isEmpty());
    }

    HorlogeFixe horloge;
    TableauChasse chasse(horloge);
    const TableauChasse::Reception r = chasse.recoit(lignes);
    FUZZ_CHECK(qsizetype(chasse.lignes().size()) <= TableauChasse::spotsMax);
    FUZZ_CHECK(r.messages.size() <= TableauChasse::messagesMax);
    FUZZ_CHECK(r.alertes <= r.spots);
    quint64 numero = 0;
    for (const TableauChasse::Ligne& l : chasse.lignes()) {
        FUZZ_CHECK(l.numero > numero);
        FUZZ_CHECK(chasse.ligneNumero(l.numero) == &l);
        FUZZ_CHECK(l.moment.isValid());
        numero = l.numero;
    }
    // The same lines again add nothing: each spot is kept once.
    FUZZ_CHECK(chasse.recoit(lignes).spots == 0 ||
               qsizetype(lignes.size()) > TableauChasse::spotsMax);
    return 0;
}
