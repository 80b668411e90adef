#include "EntryModel.h"

#include "core/app/ClockTexts.h"
#include "core/app/SettingsKeys.h"
#include "core/log/BandGroups.h"
#include "core/log/FirstNameMemory.h"
#include "core/log/StationLog.h"
#include "core/log/Texte.h"
#include "core/platform/Cp1252.h"
#include "core/platform/MessageBox.h"
#include "core/platform/SettingsStore.h"

// The Enter rule of each field, and the same checks again before a QSO is
// stored.

namespace {

QString nomDuChamp(EntryModel::Controle c)
{
    switch (c) {
    case EntryModel::Ind_A:
        return QStringLiteral("Indicatif");
    case EntryModel::Prenom_A:
        return QStringLiteral("Prénom");
    case EntryModel::Dpt_A:
        return QStringLiteral("Dpt");
    case EntryModel::Ref_A:
        return QStringLiteral("Ref Moulin");
    case EntryModel::Date_A:
        return QStringLiteral("Date");
    case EntryModel::Heure_A:
        return QStringLiteral("Heure UTC");
    case EntryModel::Mode_A:
        return QStringLiteral("Mode");
    case EntryModel::Bande_A:
        return QStringLiteral("Bande");
    case EntryModel::RST_A:
        return QStringLiteral("RST R");
    case EntryModel::RSTE_A:
        return QStringLiteral("RST E");
    case EntryModel::Rem_A:
        return QStringLiteral("Nom du Moulin");
    default:
        return QString();
    }
}

// The item of the list that the text names, whatever its case and blanks;
// -1 when it names none.
int itemNomme(EntryModel::Controle c, const QString& texte)
{
    const auto forme = [](QString t) { return t.remove(QLatin1Char(' ')).toCaseFolded(); };
    const QString cherche = forme(texte);
    if (cherche.isEmpty())
        return -1;
    const QStringList& items = EntryModel::items(c);
    for (int i = 0; i < items.size(); ++i) {
        if (forme(items.at(i)) == cherche)
            return i;
    }
    return -1;
}

} // namespace

// A line break, tab or other control character would split or shift the
// stored line: it is refused whichever way it came in (typed or pasted).
bool EntryModel::verifieControles(Controle c)
{
    const QString message = Texte::Message_Controle(nomDuChamp(c), m_etat[c].texte);
    return message.isEmpty() || refuse(message);
}

// A character that the log file cannot hold (Cyrillic, Greek, emoji...) is
// refused at once rather than stored as something else.
bool EntryModel::verifieCaracteres(Controle c)
{
    qsizetype mauvais = 0;
    if (Cp1252::isEncodable(m_etat[c].texte, &mauvais))
        return true;
    return refuse(QStringLiteral("Le caractère %1 du champ %2 ne peut pas être enregistré dans le "
                                 "log. Remplacez-le.")
                      .arg(Cp1252::describe(m_etat[c].texte, mauvais), nomDuChamp(c)));
}

// The item the field holds, chosen in the list or typed: the one remembered
// for the next QSO. A text that names no item changes nothing remembered, so
// that the next QSO never starts without a band or a mode.
void EntryModel::memoriseIndex(Controle c)
{
    const Etat& e = m_etat[c];
    const QStringList& liste = items(c);
    const int index = e.index >= 0 && e.index < liste.size() && liste.at(e.index) == e.texte
                          ? e.index
                          : itemNomme(c, e.texte);
    if (index < 0)
        return;
    m_reglages.writeIndex(Reglages::Section_Station(m_indicatif),
                          c == Mode_A ? Reglages::Mode_Utilise : Reglages::Bande_Utilisee, index);
}

// The text of the combo box replaced by the item it names, when it names one.
void EntryModel::prendItem(Controle c)
{
    const int index = itemNomme(c, m_etat[c].texte);
    if (index < 0)
        return;
    m_etat[c].index = index;
    m_etat[c].texte = items(c).at(index);
}

QString EntryModel::messageBande(const QString& texte)
{
    return QStringLiteral("Le champ « Bande » contient « %1 », qui n'est pas une bande de la "
                          "liste : choisissez une bande de la liste (par exemple « 14 Mhz »).")
        .arg(texte);
}

void EntryModel::regle(Controle c)
{
    QString& texte = m_etat[c].texte;
    if (c != QSL_A && !verifieControles(c))
        return;
    switch (c) {
    case Ind_A:
        return regleIndicatif(c);
    case Prenom_A:
        if (texte.size() > 15)
            return void(refuse(QStringLiteral("15 caracteres maxi pour le Prenom")));
        if (!verifieCaracteres(c))
            return;
        return accepte(Prenom_A, Dpt_A);
    case Dpt_A:
        if (texte.isEmpty())
            return void(refuse(QStringLiteral("Entrez un Departement")));
        texte = texte.toLower();
        if (texte.size() > 2)
            return void(refuse(QStringLiteral("2 caracteres maxi pour le Departement")));
        if (!verifieCaracteres(c))
            return;
        return accepte(Dpt_A, Ref_A);
    case Ref_A:
        return regleReference(c);
    case Date_A:
        if (texte.isEmpty())
            return void(refuse(QStringLiteral("Entrez une date")));
        if (Verifie_Date(texte) != 0)
            return void(refuse(QStringLiteral("Le format de la date doit etre JJ/MM/AA")));
        return accepte(Date_A, Heure_A);
    case Heure_A:
        if (texte.isEmpty())
            return void(refuse(QStringLiteral("Entrez une Heure")));
        if (Verifie_Heure(texte) != 0)
            return void(refuse(QStringLiteral("Le format de l'heure doit etre HH:MM")));
        return accepte(Heure_A, Mode_A);
    case Mode_A:
        // A mode of blanks would be stored as no mode at all.
        if (Texte::sansBlancs(texte).isEmpty())
            return void(refuse(QStringLiteral("Entrez un Mode")));
        if (texte.size() > 6)
            return void(refuse(QStringLiteral("6 caracteres maxi pour le Mode")));
        if (!verifieCaracteres(c))
            return;
        prendItem(Mode_A);
        if (!m_modeModif)
            memoriseIndex(Mode_A);
        return accepte(Mode_A, RST_A);
    case Bande_A:
        return regleBande(c);
    case RST_A:
    case RSTE_A:
        return regleReport(c);
    case Rem_A:
        if (texte.size() > 30)
            return void(refuse(QStringLiteral("30 caracteres maxi pour le nom du Chateau")));
        if (!verifieCaracteres(c))
            return;
        return accepte(Rem_A, QSL_A);
    case QSL_A:
        return accepte(QSL_A, Valide_A);
    default:
        return;
    }
}

// Ind_A: the first name and department remembered for the callsign come
// with it.
void EntryModel::regleIndicatif(Controle c)
{
    QString& texte = m_etat[c].texte;
    if (texte.isEmpty())
        return void(refuse(QStringLiteral("Entrez un indicatif")));
    if (texte.size() > 12)
        return void(refuse(QStringLiteral("12 caracteres maxi pour l'indicatif")));
    if (!verifieCaracteres(c))
        return;
    if (!m_modeModif) {
        Status lu;
        const FirstNameMemory::Trouve t = FirstNameMemory(m_dossier).Cherche_Prenom(texte, &lu);
        if (!lu)
            m_messages.notice(lu.message);
        if (t.trouve) {
            m_etat[Dpt_A].texte = t.departement;
            m_etat[Prenom_A].texte = t.prenom;
        }
    }
    return accepte(Ind_A, Prenom_A);
}

// Ref_A: a windmill already contacted in the band group ends the QSO; the
// date comes from the clock in the automatic date mode.
void EntryModel::regleReference(Controle c)
{
    QString& texte = m_etat[c].texte;
    texte = texte.toLower();
    if (texte.size() != 5)
        return void(refuse(QStringLiteral("5 caracteres pour la reference ex: 77121")));
    if (texte.left(2) != m_etat[Dpt_A].texte)
        return void(refuse(
            QStringLiteral("Attention la référence ne correspond pas au N° du département")));
    if (!verifieCaracteres(c))
        return;
    if (!m_modeModif) {
        const Groupe groupe = Groupe_De(m_etat[Bande_A].texte);
        const StationLog log(m_dossier, m_indicatif);
        const MoulinContacte m = Moulin_Deja_Contacte(log.chemin(), texte, groupe);
        if (m.trouve) {
            m_messages.notice(texte + QStringLiteral(" Chateau deja contacté le ") + m.date +
                              QStringLiteral(" sur ") + m.bande);
            texte.clear();
            Prepare_Saisie();
            return;
        }
    }
    jaune(Ref_A);
    if (m_dateAuto && !m_modeInsertion && !m_modeModif) {
        active(Mode_A);
        vert(Mode_A);
        const Horloge_Lue h = Lit_Horloge(m_horloge);
        m_etat[Date_A].texte = h.dateUtc;
        m_etat[Heure_A].texte = h.heureUtc.left(5);
        m_etat[Rem_A].texte = QStringLiteral("M. ");
        donneFocus(Mode_A);
    } else {
        active(Date_A);
        vert(Date_A);
        donneFocus(Date_A);
    }
}

// Bande_A: outside the chain, Enter in it leads back to the callsign.
void EntryModel::regleBande(Controle c)
{
    QString& texte = m_etat[c].texte;
    if (texte.isEmpty())
        return void(refuse(QStringLiteral("Entrez une QRG")));
    if (texte.size() > 7)
        return void(refuse(QStringLiteral("7 caracteres maxi pour la QRG")));
    if (!verifieCaracteres(c))
        return;
    // A band that is not one of the list's labels belongs to no group and
    // would never count for the award.
    prendItem(Bande_A);
    if (itemNomme(Bande_A, texte) < 0)
        return void(refuse(messageBande(texte)));
    if (!m_modeModif)
        memoriseIndex(Bande_A);
    active(RST_A);
    jaune(Bande_A);
    vert(Ind_A);
    donneFocus(Ind_A);
}

// RST_A and RSTE_A: the same three checks.
void EntryModel::regleReport(Controle c)
{
    QString& texte = m_etat[c].texte;
    if (texte.isEmpty())
        return void(refuse(QStringLiteral("Entrez un Report")));
    if (texte.size() > 3)
        return void(refuse(QStringLiteral("3 caracteres maxi pour le Report")));
    const char16_t premier = texte.at(0).unicode();
    if (premier < '0' || premier > '5')
        return void(refuse(QStringLiteral("R (de RST)doit etre compris entre 0 et 5")));
    if (!verifieCaracteres(c))
        return;
    return accepte(c, c == RST_A ? RSTE_A : Rem_A);
}

// What the Enter rules check, checked again on the fields as they stand: in
// the editing mode, or after a field was changed with the mouse, the button
// is reached without them. Nothing is written before every check has passed.
bool EntryModel::verifieAvantEnregistrement()
{
    for (Controle c :
         {Ind_A, Dpt_A, Prenom_A, Ref_A, Date_A, Heure_A, Mode_A, Bande_A, RST_A, RSTE_A, Rem_A}) {
        if (!verifieControles(c))
            return false;
    }
    if (Texte::sansBlancs(m_etat[Mode_A].texte).isEmpty())
        return refuse(QStringLiteral("Entrez un Mode"));
    if (Texte::sansBlancs(m_etat[Bande_A].texte).isEmpty())
        return refuse(QStringLiteral("Entrez une QRG"));
    if (itemNomme(Bande_A, m_etat[Bande_A].texte) < 0)
        return refuse(messageBande(m_etat[Bande_A].texte));
    prendItem(Bande_A);
    prendItem(Mode_A);
    return true;
}
