#include "CarteDepartements.h"

#include "core/log/LectureLog.h"

namespace CarteDepartements {

namespace {

// Top-left corner of each box in the picture, by department number.
constexpr std::array<std::array<int, 2>, nombreCases> kPositions = {{
    {408, 16},  {352, 264}, {288, 80},  {272, 248}, {392, 376}, {400, 336}, {424, 376}, {320, 344},
    {320, 88},  {216, 432}, {304, 152}, {248, 424}, {256, 360}, {344, 400}, {152, 112}, {256, 320},
    {168, 280}, {136, 280}, {248, 216}, {224, 304}, {56, 416},  {328, 200}, {64, 144},  {232, 264},
    {184, 320}, {384, 208}, {352, 336}, {192, 112}, {208, 152}, {24, 144},  {320, 376}, {208, 400},
    {176, 392}, {136, 336}, {288, 400}, {104, 160}, {216, 232}, {184, 208}, {360, 304}, {368, 232},
    {128, 384}, {216, 192}, {304, 288}, {296, 312}, {104, 200}, {248, 168}, {224, 344}, {176, 360},
    {288, 352}, {144, 200}, {120, 104}, {304, 120}, {344, 168}, {136, 160}, {376, 128}, {344, 112},
    {64, 176},  {384, 104}, {288, 208}, {280, 48},  {248, 96},  {176, 136}, {232, 32},  {272, 288},
    {128, 416}, {168, 432}, {256, 448}, {424, 128}, {416, 168}, {328, 272}, {376, 184}, {320, 240},
    {168, 168}, {400, 296}, {392, 264}, {24, 32},   {200, 80},  {272, 128}, {232, 136}, {152, 240},
    {240, 64},  {240, 392}, {200, 376}, {392, 408}, {352, 368}, {112, 232}, {184, 248}, {208, 280},
    {384, 152}, {288, 176}, {416, 192}, {256, 144}, {0, 40},    {48, 16},   {48, 48},   {248, 120},
    {416, 472}, {448, 448}, {32, 416},  {8, 416},
}};

} // namespace

int caseDepartement(QByteArrayView departement)
{
    const int n = ReferenceMoulin::numeroDepartement(departement);
    if (n == ReferenceMoulin::numero2A)
        return case2A;
    if (n == ReferenceMoulin::numero2B)
        return case2B;
    return n == case2A || n == case2B ? -1 : n;
}

unsigned couleur(Etat etat)
{
    switch (etat) {
    case Etat::Contacte:
        return rouge;
    case Etat::Confirme:
        return vert;
    case Etat::NonContacte:
        break;
    }
    return jaune;
}

Etat etatDe(unsigned rgb)
{
    rgb &= 0xFFFFFF;
    if (rgb == vert)
        return Etat::Confirme;
    if (rgb == rouge)
        return Etat::Contacte;
    return Etat::NonContacte;
}

Statut Colorie_Carte(const QString& cheminLog, const QString& groupe, Carte* carte)
{
    *carte = Carte();
    const Groupe choisi = groupeNomme(groupe);
    const Statut lu = LectureLog::parcourir(cheminLog, [&](QByteArrayView ligne) {
        const int n = caseDepartement(LectureLog::champSansBlancs(ligne, LogLine::Departement));
        if (n < 0)
            return;
        const Groupe g = LectureLog::groupeLigne(ligne);
        if (g == Groupe::Aucun || g != choisi)
            return;
        Etat& etat = carte->cases[size_t(n)];
        if (LectureLog::QSL_Recue(ligne))
            etat = Etat::Confirme;
        else if (etat != Etat::Confirme)
            etat = Etat::Contacte;
    });
    compte(carte);
    return lu;
}

void compte(Carte* carte)
{
    carte->contactes = carte->nonConfirmes = carte->confirmes = 0;
    for (int i = 1; i < nombreCases; ++i) {
        switch (carte->cases[size_t(i)]) {
        case Etat::Confirme:
            ++carte->confirmes;
            ++carte->contactes;
            break;
        case Etat::Contacte:
            ++carte->nonConfirmes;
            ++carte->contactes;
            break;
        case Etat::NonContacte:
            break;
        }
    }
}

QString texteCase(int index)
{
    if (index == case2A)
        return QStringLiteral("2a");
    if (index == case2B)
        return QStringLiteral("2b");
    if (index == 20 || index >= 98)
        return QStringLiteral("X");
    return QStringLiteral("%1").arg(index, 2, 10, QLatin1Char('0'));
}

bool caseVisible(int index)
{
    return index != 0 && index != 20 && index != 98 && index != 99;
}

QPoint positionCase(int index)
{
    const auto& p = kPositions.at(size_t(index));
    return {p[0], p[1]};
}

QString legendeConfirmes(int n)
{
    return QString::number(n) + QStringLiteral(" Dpt confirmés");
}

QString legendeNonConfirmes(int n)
{
    return QString::number(n) + QStringLiteral(" Dpt non confirmés");
}

QString legendeNonContactes(int n)
{
    return QString::number(n) + QStringLiteral(" Dpt non contactés");
}

} // namespace CarteDepartements
