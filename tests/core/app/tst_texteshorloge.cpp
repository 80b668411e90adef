#include "core/app/HorlogeLue.h"
#include "core/platform/Horloge.h"
#include "support/HorlogeReglee.h"

#include <QTest>
#include <QTimer>

namespace {

// A clock one second later at each reading, as the system clock is when a
// tick reads it across the turn of a second.
class HorlogeMouvante : public Horloge {
public:
    HorlogeMouvante(const QDateTime& utc, int decalage) : m_suivant(utc), m_decalage(decalage) {}
    QDateTime utcMaintenant() const override
    {
        const QDateTime t = m_suivant;
        m_suivant = m_suivant.addSecs(1);
        return t;
    }
    QDateTime heureLocale(const QDateTime& utc) const override
    {
        return utc.toOffsetFromUtc(m_decalage);
    }

private:
    mutable QDateTime m_suivant;
    int m_decalage;
};

} // namespace

class TestTextesHorloge : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void verifieDate_data()
    {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<int>("resultat");
        QTest::newRow("valid") << "31/12/08" << 0;
        QTest::newRow("day 32") << "32/12/08" << 1;
        QTest::newRow("month 13") << "01/13/08" << 1;
        QTest::newRow("zeros pass") << "00/00/00" << 0;
        QTest::newRow("31 february passes") << "31/02/09" << 0;
        QTest::newRow("short") << "1/2/08" << 1;
        QTest::newRow("dashes") << "01-02-08" << 1;
        QTest::newRow("nine chars") << "31/12/089" << 1;
        QTest::newRow("empty") << "" << 1;
        QTest::newRow("letter") << "0a/12/08" << 1;
        QTest::newRow("blank") << " 1/12/08" << 1;
        QTest::newRow("arabic digit") << QString::fromUtf8("\xd9\xa1\x31/12/08") << 1;
    }
    void verifieDate()
    {
        QFETCH(QString, texte);
        QFETCH(int, resultat);
        QCOMPARE(Verifie_Date(texte), resultat);
    }

    void verifieHeure_data()
    {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<int>("resultat");
        QTest::newRow("valid") << "23:59" << 0;
        QTest::newRow("midnight") << "00:00" << 0;
        QTest::newRow("hour 24") << "24:00" << 1;
        QTest::newRow("minute 60") << "12:60" << 1;
        QTest::newRow("short") << "9:30" << 1;
        QTest::newRow("h separator") << "12h30" << 1;
        QTest::newRow("six chars") << "12:300" << 1;
    }
    void verifieHeure()
    {
        QFETCH(QString, texte);
        QFETCH(int, resultat);
        QCOMPARE(Verifie_Heure(texte), resultat);
    }

    void textesSuiventUtcAutourDeMinuit_data()
    {
        QTest::addColumn<QDateTime>("utc");
        QTest::addColumn<int>("decalage");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("heureUtcAttendue");
        QTest::addColumn<QString>("heureLocaleAttendue");
        const auto at = [](int d, int h, int m, int s) {
            return QDateTime(QDate(2026, 12, d), QTime(h, m, s), Qt::UTC);
        };
        QTest::newRow("before midnight, Paris already next day")
            << at(6, 23, 30, 5) << 3600 << "06/12/26"
            << "23:30:05"
            << "00:30:05";
        QTest::newRow("after midnight, west still previous day")
            << at(7, 0, 0, 1) << -5 * 3600 << "07/12/26"
            << "00:00:01"
            << "19:00:01";
        QTest::newRow("summer offset") << at(7, 9, 5, 0) << 7200 << "07/12/26"
                                       << "09:05:00"
                                       << "11:05:00";
    }
    void textesSuiventUtcAutourDeMinuit()
    {
        QFETCH(QDateTime, utc);
        QFETCH(int, decalage);
        QFETCH(QString, date);
        QFETCH(QString, heureUtcAttendue);
        QFETCH(QString, heureLocaleAttendue);
        const HorlogeReglee horloge(utc, decalage);
        QCOMPARE(Date_Utc(horloge), date);
        QCOMPARE(Heure_Utc(horloge), heureUtcAttendue);
        QCOMPARE(Heure_Locale(horloge), heureLocaleAttendue);
    }

    // The labels of one tick come from one reading: the date never belongs to
    // the next second (the next day, at midnight) of the times shown.
    void unTopLitLHorlogeUneFois_data()
    {
        textesSuiventUtcAutourDeMinuit_data();
        const QDateTime derniere(QDate(2026, 12, 6), QTime(23, 59, 59), Qt::UTC);
        QTest::newRow("last second of the day") << derniere << 0 << "06/12/26"
                                                << "23:59:59"
                                                << "23:59:59";
        QTest::newRow("last second, local an hour ahead") << derniere << 3600 << "06/12/26"
                                                          << "23:59:59"
                                                          << "00:59:59";
    }
    void unTopLitLHorlogeUneFois()
    {
        QFETCH(QDateTime, utc);
        QFETCH(int, decalage);
        QFETCH(QString, date);
        QFETCH(QString, heureUtcAttendue);
        QFETCH(QString, heureLocaleAttendue);
        const HorlogeMouvante horloge(utc, decalage);
        const HorlogeLue lue = litHorloge(horloge);
        QCOMPARE(lue.dateUtc, date);
        QCOMPARE(lue.heureUtc, heureUtcAttendue);
        QCOMPARE(lue.heureLocale, heureLocaleAttendue);
    }

    // The system's clock starts the timer it is given only with an
    // interval: a timer without one would fire at every turn of the event
    // loop. (A debug build stops on it instead.)
    void cadenceDemandeUnIntervalle_data()
    {
        QTest::addColumn<int>("intervalle");
        QTest::addColumn<bool>("demarree");
        QTest::newRow("one second") << 1000 << true;
        QTest::newRow("one minute") << 60000 << true;
#if defined(QT_NO_DEBUG) && !defined(QT_FORCE_ASSERTS)
        QTest::newRow("none") << 0 << false;
#endif
    }
    void cadenceDemandeUnIntervalle()
    {
        QFETCH(int, intervalle);
        QFETCH(bool, demarree);
        HorlogeSysteme horloge;
        QTimer minuterie;
        minuterie.setInterval(intervalle);
        QCOMPARE(horloge.cadence(&minuterie, [] {}), demarree);
        QCOMPARE(minuterie.isActive(), demarree);
        HorlogeReglee reglee;
        QTimer autre;
        autre.setInterval(intervalle);
        QCOMPARE(reglee.cadence(&autre, [] {}), demarree);
        QVERIFY(!autre.isActive());
    }

    void anneeSurDeuxChiffres()
    {
        const HorlogeReglee horloge(QDateTime(QDate(2009, 1, 2), QTime(3, 4), Qt::UTC));
        QCOMPARE(Date_Utc(horloge), QStringLiteral("02/01/09"));
    }
};

QTEST_GUILESS_MAIN(TestTextesHorloge)
#include "tst_texteshorloge.moc"
