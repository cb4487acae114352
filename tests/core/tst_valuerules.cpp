#include "core/AnsiText.h"
#include "core/FactoryValues.h"
#include "core/ValueRules.h"

#include <QTest>

// Each rule at both of its edges: the values a control can show and produce, and the first
// ones past them.
class TestValueRules : public QObject
{
    Q_OBJECT

private slots:
    void edges_data()
    {
        QTest::addColumn<QString>("accepted"); // numbers split by blanks, texts by '|'
        QTest::addColumn<QString>("refused");
        const char *rows[][3] = {
            {"Contrast", "10 22", "9 23"},
            {"StandbyMode", "0 2", "-1 3"},
            {"AutoOffDelay", "0 12", "-1 13"},
            {"PowerOnHour", "0 23", "-1 24"},
            {"PowerOnMinute", "0 59", "-1 60"},
            {"PowerOffHour", "0 23", "-1 24"},
            {"PowerOffMinute", "0 59", "-1 60"},
            {"BacklightTime", "0 10", "-1 11"},
            {"KeyChirp", "0 1", "-1 2"},
            {"AlarmSoundOn", "0 1", "-1 2"},
            {"FilerViewMode", "0 2", "-1 3"},
            {"FilerSortKey", "1 4", "0 5"},
            {"FilerSortOrder", "0 1", "-1 2"},
            {"ClockFormat", "0 1", "-1 2"},
            {"DaylightSaving", "0 1", "-1 2"},
            {"UserName", "|ABCDEFGHIJKL|\u00C9t\u00E9 \u20AC", "ABCDEFGHIJKLM"},
            {"AlarmEntry[3].Repeat", "0 1 127 255", "-1 128 254 256"},
            {"AlarmEntry[0].Hour", "0 23", "-1 24"},
            {"AlarmEntry[2].Minute", "0 59", "-1 60"},
            {"AlarmEntry[1].SoundName", "|CHIME|ABCDEFGH|\u00C9T\u00C9", "ABCDEFGHI|A/B|C:X|..|A*"},
            {"HourlyChime", "0 1", "-1 2"},
            {"RepeatIndex[3]", "0 2", "-1 3"},
            {"WeekdayMask[0]", "0 127", "-1 128"},
        };
        for (const auto &[field, accepted, refused] : rows)
            QTest::newRow(field) << QString::fromUtf8(accepted) << QString::fromUtf8(refused);
    }
    void edges()
    {
        const ValueRule *rule = findRule(QTest::currentDataTag());
        QVERIFY(rule);
        const bool text = rule->kind == RuleKind::Text || rule->kind == RuleKind::SoundName;
        QFETCH(QString, accepted);
        QFETCH(QString, refused);
        for (const auto &[values, want] : {std::pair{accepted, true}, std::pair{refused, false}}) {
            for (const QString &v : values.split(text ? u'|' : u' ')) {
                const bool got = text ? allowsText(*rule, ansi::fromUtf8(v.toStdString()).value())
                                      : allows(*rule, v.toInt());
                QVERIFY2(got == want, qPrintable(v));
            }
        }
    }

    // Fields without a control have no rule; the factory settings keep every rule.
    void unruledFieldsAndFactorySettings()
    {
        for (const char *field :
             {"Hidden06", "Opaque00", "UserNameBytes", "Hidden56", "AlarmEntry[0].SoundNameBytes"})
            QVERIFY2(!findRule(field), field);
        QVERIFY(outsideRules(factorySystemRecord()).empty());
    }
};

QTEST_GUILESS_MAIN(TestValueRules)
#include "tst_valuerules.moc"
