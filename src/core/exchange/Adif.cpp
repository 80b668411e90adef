#include "Adif.h"

#include "core/app/Version.h"
#include "core/log/Groupe.h"
#include "core/log/LogLine.h"
#include "core/log/StationLog.h"
#include "core/log/Texte.h"
#include "core/platform/BoiteMessage.h"
#include "core/platform/Cp1252.h"
#include "core/platform/FichierTexte.h"

#include <QDir>
#include <QStringView>

#include <algorithm>
#include <array>
#include <charconv>
#include <initializer_list>

namespace Adif {

namespace {

const QString kFichierTravail = QStringLiteral("Temporaire_ADIF.txt");

bool imprimable(char16_t c)
{
    return c >= 0x20 && c <= 0x7E;
}

bool toutAscii(QStringView texte)
{
    for (const QChar c : texte) {
        if (!imprimable(c.unicode()))
            return false;
    }
    return true;
}

// Letters and signs that the decomposition does not bring back to ASCII.
const char* remplacement(char16_t c)
{
    switch (c) {
    case u'Œ':
        return "OE";
    case u'œ':
        return "oe";
    case u'Æ':
        return "AE";
    case u'æ':
        return "ae";
    case u'ß':
        return "ss";
    case u'Ø':
        return "O";
    case u'ø':
        return "o";
    case u'Ð':
        return "D";
    case u'ð':
        return "d";
    case u'Þ':
        return "TH";
    case u'þ':
        return "th";
    case u'Ł':
        return "L";
    case u'ł':
        return "l";
    case u'‘':
    case u'’':
    case u'‚':
    case u'´':
    case u'`':
        return "'";
    case u'“':
    case u'”':
    case u'„':
    case u'«':
    case u'»':
        return "\"";
    case u'–':
    case u'—':
        return "-";
    case u'…':
        return "...";
    case u'\u00A0':
        return " ";
    case u'×':
        return "x";
    case u'€':
        return "EUR";
    default:
        return nullptr;
    }
}

// Trimmed field of the line; blanks only, as the log pads with blanks. The
// line is text, or bytes when they are all printable ASCII.
template <typename Vue> Vue champ(Vue ligne, LogLine::Colonne colonne)
{
    const qsizetype debut = colonne.debut - 1;
    if (debut >= ligne.size())
        return {};
    Vue piece = ligne.mid(debut, colonne.largeur);
    while (!piece.isEmpty() && piece.front() == QLatin1Char(' '))
        piece = piece.mid(1);
    while (!piece.isEmpty() && piece.back() == QLatin1Char(' '))
        piece.chop(1);
    return piece;
}

char16_t unite(QChar c)
{
    return c.unicode();
}

char16_t unite(QLatin1Char c)
{
    return c.unicode();
}

char16_t unite(char c)
{
    return static_cast<unsigned char>(c);
}

// The ASCII form of one character outside printable ASCII.
QByteArray plie(char16_t u)
{
    if (const char* r = remplacement(u))
        return QByteArray(r);
    // The letter without its accents: the decomposition keeps the base
    // letter and puts the marks after it.
    QByteArray simple;
    for (const QChar d : QString(QChar(u)).normalized(QString::NormalizationForm_KD)) {
        if (imprimable(d.unicode()))
            simple.append(char(d.unicode()));
    }
    return simple.isEmpty() ? QByteArray("?") : simple;
}

// Every character that the log's code page holds is folded once.
constexpr char16_t kTable = 0x180;

const QByteArray& pliage(char16_t u)
{
    static const std::array<QByteArray, kTable> table = [] {
        std::array<QByteArray, kTable> t;
        for (char16_t c = 0; c < kTable; ++c)
            t[c] = imprimable(c) ? QByteArray(1, char(c)) : plie(c);
        return t;
    }();
    return table[u];
}

void ecritAscii(QByteArray& sortie, QStringView texte)
{
    for (const QChar c : texte) {
        const char16_t u = c.unicode();
        if (imprimable(u))
            sortie.append(char(u));
        else if (u < kTable)
            sortie.append(pliage(u));
        else
            sortie.append(plie(u));
    }
}

// The bytes being written: the array is made longer by large steps ahead of
// the writing, and cut to what was written at the end.
class Ecriture {
public:
    explicit Ecriture(QByteArray& octets) : m_octets(octets), m_fin(octets.size()) {}
    ~Ecriture() { m_octets.truncate(m_fin); }
    Ecriture(const Ecriture&) = delete;
    Ecriture& operator=(const Ecriture&) = delete;

    qsizetype fin() const { return m_fin; }
    void revient(qsizetype fin) { m_fin = fin; }
    // Room for n bytes at the end; where they go.
    char* place(qsizetype n)
    {
        if (m_octets.size() - m_fin < n)
            m_octets.resize(m_fin + n + kPas);
        char* p = m_octets.data() + m_fin;
        m_fin += n;
        return p;
    }
    void ajoute(QByteArrayView octets)
    {
        std::copy_n(octets.data(), octets.size(), place(octets.size()));
    }

private:
    static constexpr qsizetype kPas = 64 * 1024;
    QByteArray& m_octets;
    qsizetype m_fin;
};

// "<" tag ":" length ">" at the end of the record, room left for the value;
// where the value goes.
char* entete(Ecriture& enregistrement, QLatin1StringView tag, qsizetype longueur)
{
    char chiffres[24];
    const auto fin = std::to_chars(chiffres, chiffres + sizeof chiffres, longueur).ptr;
    const qsizetype nombre = fin - chiffres;
    char* sortie = enregistrement.place(tag.size() + nombre + 3 + longueur);
    *sortie++ = '<';
    sortie = std::copy_n(tag.data(), tag.size(), sortie);
    *sortie++ = ':';
    sortie = std::copy_n(chiffres, nombre, sortie);
    *sortie++ = '>';
    return sortie;
}

void plieDans(QByteArray& plie, QStringView piece)
{
    ecritAscii(plie, piece);
}

void plieDans(QByteArray& plie, QLatin1StringView piece)
{
    ecritAscii(plie, QString(piece));
}

// One field: "<" tag ":" length ">" value, the value made of the pieces,
// written in one piece at the end of the record. Values are nearly always
// printable ASCII and are copied as they are read; one that is not is
// written again, folded to ASCII.
template <typename... Pieces>
void ajoute(Ecriture& enregistrement, QLatin1StringView tag, Pieces... pieces)
{
    const qsizetype longueur = (qsizetype(0) + ... + pieces.size());
    const qsizetype debut = enregistrement.fin();
    char* sortie = entete(enregistrement, tag, longueur);
    bool enAsciiSeulement = true;
    const auto copie = [&](auto piece) {
        for (const auto c : piece) {
            const char16_t u = unite(c);
            if (!imprimable(u)) {
                enAsciiSeulement = false;
                return;
            }
            *sortie++ = char(u);
        }
    };
    ((enAsciiSeulement ? copie(pieces) : void()), ...);
    if (enAsciiSeulement)
        return;
    enregistrement.revient(debut);
    QByteArray plie;
    (plieDans(plie, pieces), ...);
    std::copy_n(plie.constData(), plie.size(), entete(enregistrement, tag, plie.size()));
}

// The ADIF name of the band of the log, empty for a band the program does
// not know.
template <typename Vue> QLatin1StringView bandeAdif(Vue libelle)
{
    for (const DefinitionBande& b : tableBandes) {
        if (QStringView(b.libelle) == libelle)
            return QLatin1StringView(b.adif);
    }
    return {};
}

// The first two digits of the year, by the rule the log orders its QSOs by;
// "20" when the year is not two digits.
template <typename Vue> QLatin1StringView siecle(Vue an)
{
    const auto chiffre = [](auto c) {
        const char16_t u = unite(c);
        return u >= u'0' && u <= u'9';
    };
    const bool chiffres = an.size() == 2 && chiffre(an.at(0)) && chiffre(an.at(1));
    if (chiffres && LogLine::annee(an.toInt()) < 2000)
        return QLatin1StringView("19");
    return QLatin1StringView("20");
}

// The record of the line, appended to the bytes.
template <typename Vue> void ecritRecord(Ecriture& enregistrement, Vue ligne)
{
    const Vue date = champ(ligne, LogLine::Date);
    const Vue heure = champ(ligne, LogLine::Heure);
    const Vue qsl =
        ligne.size() >= LogLine::QSL.debut ? ligne.mid(LogLine::QSL.debut - 1, 1) : Vue();

    ajoute(enregistrement, QLatin1StringView("call"), champ(ligne, LogLine::Indicatif));
    ajoute(enregistrement, QLatin1StringView("STATE"),
           champ(ligne, LogLine::Colonne{LogLine::Departement.debut, 2}));
    ajoute(enregistrement, QLatin1StringView("name"), champ(ligne, LogLine::Prenom));
    ajoute(enregistrement, QLatin1StringView("SIG"), champ(ligne, LogLine::Reference));
    ajoute(enregistrement, QLatin1StringView("qso_date"), siecle(date.mid(6, 2)), date.mid(6, 2),
           date.mid(3, 2), date.mid(0, 2));
    ajoute(enregistrement, QLatin1StringView("time_on"), heure.left(2), heure.right(2));
    ajoute(enregistrement, QLatin1StringView("mode"), champ(ligne, LogLine::Mode));
    ajoute(enregistrement, QLatin1StringView("band"), bandeAdif(champ(ligne, LogLine::Bande)));
    ajoute(enregistrement, QLatin1StringView("rst_rcvd"), champ(ligne, LogLine::RST_Recu));
    ajoute(enregistrement, QLatin1StringView("rst_sent"), champ(ligne, LogLine::RST_Envoye));
    ajoute(enregistrement, QLatin1StringView("SIG_INFO"), champ(ligne, LogLine::Nom_Moulin));
    ajoute(enregistrement, QLatin1StringView("QSL_RCVD"),
           QLatin1StringView(qsl == QLatin1StringView("*") ? "Y" : "N"));
    enregistrement.ajoute("<eor>");
}

// Whether every byte of the line is printable ASCII, the same character in
// the log's code page and in the record.
bool asciiImprimable(const char* donnees, qsizetype taille)
{
    for (qsizetype i = 0; i < taille; ++i) {
        if (!imprimable(static_cast<unsigned char>(donnees[i])))
            return false;
    }
    return true;
}

QString avise()
{
    // ASCII, like the records, for the readers that want the whole file so.
    return QStringLiteral("Fichier produit par RQN_KZT version ") +
           Texte::sansBlancs(Version::Texte) +
           QStringLiteral(" <ADIF_VER:5>3.1.6 <PROGRAMID:7>RQN_KZT");
}

} // namespace

QString enAscii(const QString& texte)
{
    if (toutAscii(texte))
        return texte;
    QByteArray sortie;
    sortie.reserve(texte.size() + 4);
    ecritAscii(sortie, texte);
    return QString::fromLatin1(sortie);
}

QString bandeAdif(const QString& libelle)
{
    const DefinitionBande* b = definitionDe(libelle);
    return b ? QString::fromLatin1(b->adif) : QString();
}

QString ADIF_SP(const QString& Poubelle)
{
    QByteArray enregistrement;
    {
        Ecriture ecriture(enregistrement);
        ecritRecord(ecriture, QStringView(Poubelle));
    }
    return QString::fromLatin1(enregistrement);
}

QString nomFichier(const QString& indicatif)
{
    return indicatif + QStringLiteral("_KZT.adi");
}

QByteArray exportationAdif(const QString& indicatif, const QByteArray& log)
{
    QByteArray sortie;
    // A record is about twice as long as its line of the log: room for three
    // times the log, so that the buffer is not moved while it fills.
    sortie.reserve(log.size() * 3 + 256);

    QByteArray entete;
    Cp1252::encode1252(QStringLiteral("Exportation du log de la station ") + enAscii(indicatif) +
                           QStringLiteral(" au format ADIF"),
                       &entete);
    const char* const finLigne = FichierTexte::finLigne.data();
    sortie += entete + finLigne;
    sortie += finLigne;
    sortie += avise().toLatin1() + finLigne;
    sortie += finLigne;
    sortie += finLigne;
    sortie += QByteArray("<eoh>") + finLigne;

    QString ligne;
    {
        Ecriture ecriture(sortie);
        FichierTexte::pourChaqueLigne(log, [&](const char* donnees, qsizetype taille) {
            if (asciiImprimable(donnees, taille)) {
                ecritRecord(ecriture, QLatin1StringView(donnees, taille));
            } else {
                ligne.resize(taille);
                Cp1252::decodeDans(donnees, taille, ligne.data());
                ecritRecord(ecriture, QStringView(ligne));
            }
            ecriture.ajoute(finLigne);
        });
    }
    return sortie;
}

Statut exporte(const QString& dossier, const QString& indicatif)
{
    const QDir repertoire(dossier);
    QByteArray log;
    const Statut lu =
        FichierTexte::litTout(repertoire.filePath(StationLog::nomFichier(indicatif)), &log);
    if (!lu)
        return lu;
    return FichierTexte::remplaceContenu(repertoire.filePath(nomFichier(indicatif)),
                                         repertoire.filePath(kFichierTravail),
                                         exportationAdif(indicatif, log));
}

void Mnu_ADIF_Click(const QString& dossier, const QString& indicatif, BoiteMessage& messages)
{
    const Statut fait = exporte(dossier, indicatif);
    if (!fait) {
        messages.avise(QStringLiteral("L'exportation au format ADIF n'a pas pu se faire :") +
                       FichierTexte::finLigne + FichierTexte::finLigne + fait.message);
        return;
    }
    messages.avise(QStringLiteral("Le fichier a été enregistré sous le nom : ") +
                   nomFichier(indicatif));
}

} // namespace Adif
