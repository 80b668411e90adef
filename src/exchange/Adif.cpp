#include "Adif.h"

#include "app/Version.h"
#include "log/BandGroups.h"
#include "log/LogLine.h"
#include "log/StationLog.h"
#include "log/Texte.h"
#include "platform/Cp1252.h"
#include "platform/MessageBox.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QStringView>

#include <algorithm>
#include <array>
#include <charconv>
#include <initializer_list>

namespace Adif {

namespace {

const QString kFichierTravail = QStringLiteral("Temporaire_ADIF.txt");
const QByteArray kFinLigne("\r\n");

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

// Trimmed field of the line; blanks only, as the log pads with blanks.
QStringView champ(QStringView ligne, LogLine::Colonne colonne)
{
    const qsizetype debut = colonne.debut - 1;
    if (debut >= ligne.size())
        return {};
    QStringView piece = ligne.mid(debut, colonne.largeur);
    while (!piece.isEmpty() && piece.front() == QLatin1Char(' '))
        piece = piece.mid(1);
    while (!piece.isEmpty() && piece.back() == QLatin1Char(' '))
        piece.chop(1);
    return piece;
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

// "<" tag ":" length ">" at the end of the record, room left for the value;
// where the value goes.
char* entete(QByteArray& record, QLatin1StringView tag, qsizetype longueur)
{
    char chiffres[24];
    const auto fin = std::to_chars(chiffres, chiffres + sizeof chiffres, longueur).ptr;
    const qsizetype nombre = fin - chiffres;
    const qsizetype debut = record.size();
    record.resize(debut + tag.size() + nombre + 3 + longueur);
    char* out = record.data() + debut;
    *out++ = '<';
    out = std::copy_n(tag.data(), tag.size(), out);
    *out++ = ':';
    out = std::copy_n(chiffres, nombre, out);
    *out++ = '>';
    return out;
}

// One field: "<" tag ":" length ">" value, the value made of the pieces,
// written in one piece at the end of the record. Values are nearly always
// printable ASCII and are copied as they are read; one that is not is
// written again, folded to ASCII.
void ajoute(QByteArray& record, QLatin1StringView tag, std::initializer_list<QStringView> pieces)
{
    qsizetype longueur = 0;
    for (QStringView p : pieces)
        longueur += p.size();
    const qsizetype debut = record.size();
    char* out = entete(record, tag, longueur);
    for (QStringView p : pieces) {
        for (const QChar c : p) {
            const char16_t u = c.unicode();
            if (!imprimable(u)) {
                record.truncate(debut);
                QByteArray plie;
                for (QStringView piece : pieces)
                    ecritAscii(plie, piece);
                std::copy_n(plie.constData(), plie.size(), entete(record, tag, plie.size()));
                return;
            }
            *out++ = char(u);
        }
    }
}

// The ADIF name of the band of the log, empty for a band the program does
// not know.
QStringView bandeAdif(QStringView libelle)
{
    static const std::array<QString, Table_Bandes.size()> noms = [] {
        std::array<QString, Table_Bandes.size()> n;
        for (size_t i = 0; i < Table_Bandes.size(); ++i)
            n[i] = QString::fromLatin1(Table_Bandes[i].adif);
        return n;
    }();
    const Definition_Bande* b = Definition_De(libelle);
    return b ? QStringView(noms[size_t(b - Table_Bandes.data())]) : QStringView();
}

// The first two digits of the year, by the rule the log orders its QSOs by;
// "20" when the year is not two digits.
QStringView siecle(QStringView an)
{
    const bool chiffres = an.size() == 2 && an.at(0).isDigit() && an.at(1).isDigit() &&
                          an.at(0).unicode() < 0x80 && an.at(1).unicode() < 0x80;
    if (chiffres && LogLine::Annee(an.toInt()) < 2000)
        return u"19";
    return u"20";
}

// The record of the line, appended to the bytes.
void ecritRecord(QByteArray& record, QStringView ligne)
{
    const QStringView date = champ(ligne, LogLine::Date);
    const QStringView heure = champ(ligne, LogLine::Heure);
    const QStringView qsl =
        ligne.size() >= LogLine::QSL.debut ? ligne.mid(LogLine::QSL.debut - 1, 1) : QStringView();
    const QStringView bande = bandeAdif(champ(ligne, LogLine::Bande));

    ajoute(record, QLatin1StringView("call"), {champ(ligne, LogLine::Indicatif)});
    ajoute(record, QLatin1StringView("STATE"),
           {champ(ligne, LogLine::Colonne{LogLine::Departement.debut, 2})});
    ajoute(record, QLatin1StringView("name"), {champ(ligne, LogLine::Prenom)});
    ajoute(record, QLatin1StringView("SIG"), {champ(ligne, LogLine::Reference)});
    ajoute(record, QLatin1StringView("qso_date"),
           {siecle(date.mid(6, 2)), date.mid(6, 2), date.mid(3, 2), date.mid(0, 2)});
    ajoute(record, QLatin1StringView("time_on"), {heure.left(2), heure.right(2)});
    ajoute(record, QLatin1StringView("mode"), {champ(ligne, LogLine::Mode)});
    ajoute(record, QLatin1StringView("band"), {bande});
    ajoute(record, QLatin1StringView("rst_rcvd"), {champ(ligne, LogLine::RST_Recu)});
    ajoute(record, QLatin1StringView("rst_sent"), {champ(ligne, LogLine::RST_Envoye)});
    ajoute(record, QLatin1StringView("SIG_INFO"), {champ(ligne, LogLine::Nom_Moulin)});
    ajoute(record, QLatin1StringView("QSL_RCVD"), {qsl == QLatin1StringView("*") ? u"Y" : u"N"});
    record.append("<eor>", 5);
}

QString notice()
{
    // ASCII, like the records, for the readers that want the whole file so.
    return QStringLiteral("Fichier produit par RQN_KZT version ") +
           Texte::sansBlancs(Version::Texte) +
           QStringLiteral(" <ADIF_VER:5>3.1.6 <PROGRAMID:7>RQN_KZT");
}

} // namespace

QString Ascii(const QString& texte)
{
    if (toutAscii(texte))
        return texte;
    QByteArray sortie;
    sortie.reserve(texte.size() + 4);
    ecritAscii(sortie, texte);
    return QString::fromLatin1(sortie);
}

QString Bande(const QString& libelle)
{
    const Definition_Bande* b = Definition_De(libelle);
    return b ? QString::fromLatin1(b->adif) : QString();
}

QString ADIF_SP(const QString& Poubelle)
{
    QByteArray record;
    record.reserve(Poubelle.size() + 160);
    ecritRecord(record, Poubelle);
    return QString::fromLatin1(record);
}

QString Nom_Fichier(const QString& indicatif)
{
    return indicatif + QStringLiteral("_KZT.adi");
}

QByteArray Exportation(const QString& indicatif, const QByteArray& log)
{
    QByteArray sortie;
    // A record is about twice as long as its line of the log: room for three
    // times the log, so that the buffer is not moved while it fills.
    sortie.reserve(log.size() * 3 + 256);

    QByteArray entete;
    Cp1252::encode(QStringLiteral("Exportation du log de la station ") + Ascii(indicatif) +
                       QStringLiteral(" au format ADIF"),
                   &entete);
    sortie += entete + kFinLigne;
    sortie += kFinLigne;
    sortie += notice().toLatin1() + kFinLigne;
    sortie += kFinLigne;
    sortie += kFinLigne;
    sortie += QByteArray("<eoh>") + kFinLigne;

    QString ligne;
    TextFile::forEachLine(log, [&](const char* data, qsizetype taille) {
        ligne.resize(taille);
        Cp1252::decodeInto(data, taille, ligne.data());
        ecritRecord(sortie, ligne);
        sortie += kFinLigne;
    });
    return sortie;
}

Status Exporte(const QString& dossier, const QString& indicatif)
{
    const QDir dir(dossier);
    QByteArray log;
    const Status lu = TextFile::readAll(dir.filePath(StationLog::Nom_Fichier(indicatif)), &log);
    if (!lu)
        return lu;
    return TextFile::replaceContent(dir.filePath(Nom_Fichier(indicatif)),
                                    dir.filePath(kFichierTravail), Exportation(indicatif, log));
}

void Mnu_ADIF_Click(const QString& dossier, const QString& indicatif, MessageBox& messages)
{
    const Status fait = Exporte(dossier, indicatif);
    if (!fait) {
        messages.notice(QStringLiteral("L'exportation au format ADIF n'a pas pu se faire :") +
                        QStringLiteral("\r\n\r\n") + fait.message);
        return;
    }
    messages.notice(QStringLiteral("Le fichier a été enregistré sous le nom : ") +
                    Nom_Fichier(indicatif));
}

} // namespace Adif
