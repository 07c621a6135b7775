// A game's statements worked out by hand from a small record: three steps,
// a shock, an infusion, a worsening bleeding, a plaster after the last step,
// a scenario named in the header, and a verdict; times in a zone with summer
// time.

#include "recordstatements.h"

#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>

namespace
{

const char table[] =
    "step,score,health,alive,shock,bleeding,circulation,respiration,circulation_loss,"
    "respiration_loss,heart_rate,systolic,diastolic,temperature,respiratory_rate,ekg_mode\n"
    "1,-60,100,1,1,1,99,99,3,3,92,124,82,36.5,15,0\n"
    "2,240,98,1,0,1,98,98,1,1,90,120,80,36.6,15,0\n"
    "3,200,97,1,0,2,97,97,2,1,90,120,80,36.6,15,0\n";

// The copy of the scenario file beside the record, and its short hash
// (sha256sum of these bytes, cut to 12 digits).
const char copy[] = "title = \"Prüfung\"\n";
const char copyHash[] = "5f5ce1389b65";

const char script[] = "# Curavant game of 2026-07-01 10:00:00\n"
                      "# Scenario title: Prüfung\n"
                      "# Scenario file: pruefung.toml\n"
                      "# Scenario SHA-256: 5f5ce1389b65\n"
                      "# 1 Schock\n"
                      "2 1\n"
                      "# 2 Infusion (1): +150 Punkte\n"
                      "# 3 Blutung 2\n"
                      "4 3\n"
                      "# 4 Pflaster (3): +100 Punkte\n";

class Statements : public testing::Test
{
  protected:
    void SetUp() override
    {
        setenv("TZ", "Europe/Berlin", 1);
        tzset();
        record.table =
            folder.filePath(QStringLiteral("curavant-20260701-100000.csv")).toStdString();
        record.name = "curavant-20260701-100000";
        record.started = QDateTime(QDate(2026, 7, 1), QTime(10, 0));
        for (const auto &[suffix, text] : {std::pair(".csv", table), std::pair(".txt", script),
                                           std::pair(".scenario.toml", copy)}) {
            QFile file(folder.filePath(QString::fromStdString(record.name) + suffix));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(text);
        }
        settings.activityBase = QStringLiteral("https://lms.example/c/");
        settings.homePage = QStringLiteral("https://lms.example/");
        settings.learner = QStringLiteral("platz07");
    }

    QJsonArray made(const Verdict *verdict)
    {
        EXPECT_EQ(writeStatements(record, settings, verdict), "");
        QFile file(statementsPath(record));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        const QJsonArray all = QJsonDocument::fromJson(file.readAll()).array();
        file.remove();
        return all;
    }

    QTemporaryDir folder;
    GameRecord record;
    LrsSettings settings;
};

// The value at `path`, keys separated by blanks; a string as it is, anything
// else as compact JSON.
std::string field(const QJsonValue &statement, const QString &path)
{
    QJsonValue value = statement;
    for (const QString &key : path.split(QLatin1Char(' ')))
        value = value.toObject().value(key);
    if (value.isString())
        return value.toString().toStdString();
    const QByteArray json = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return json.mid(1, json.size() - 2).toStdString();
}

} // namespace

TEST_F(Statements, FollowTheGameStepByStep)
{
    const QJsonArray all = made(nullptr);
    const char *const expected[][4] = {
        // verb, object, timestamp, step
        {"initialized", "scenarios/pruefung", "2026-07-01T10:00:00+02:00", ""},
        {"experienced", "complications/shock", "2026-07-01T10:00:01+02:00", "1"},
        {"used", "treatments/1", "2026-07-01T10:00:01+02:00", "2"},
        {"experienced", "complications/bleeding-2", "2026-07-01T10:00:03+02:00", "3"},
        {"used", "treatments/3", "2026-07-01T10:00:03+02:00", "4"},
        {"completed", "scenarios/pruefung", "2026-07-01T10:00:03+02:00", ""},
        {"terminated", "scenarios/pruefung", "2026-07-01T10:00:03+02:00", ""},
    };
    ASSERT_EQ(all.size(), 7);
    for (int i = 0; i < all.size(); ++i) {
        EXPECT_EQ(field(all[i], "verb display en-US"), expected[i][0]) << i;
        EXPECT_EQ(field(all[i], "object id"),
                  std::string("https://lms.example/c/") + expected[i][1]);
        EXPECT_EQ(field(all[i], "timestamp"), expected[i][2]) << i;
        EXPECT_EQ(field(all[i], "context extensions https://lms.example/c/extensions/step"),
                  std::string(*expected[i][3] ? expected[i][3] : "null"))
            << i;
        EXPECT_EQ(field(all[i], "context registration"), field(all[0], "context registration"));
        EXPECT_EQ(
            field(all[i], "context extensions https://lms.example/c/extensions/scenario-hash"),
            copyHash);
        EXPECT_EQ(
            field(all[i], "actor"),
            R"({"account":{"homePage":"https://lms.example/","name":"platz07"},"objectType":"Agent"})");
    }
    EXPECT_EQ(field(all[0], "object definition name de-DE"), "Prüfung");
    EXPECT_EQ(field(all[2], "object definition name de-DE"), "Infusion");
    EXPECT_EQ(field(all[2], "result extensions https://lms.example/c/extensions/points"), "150");
    EXPECT_EQ(field(all[4], "object definition extensions https://lms.example/c/extensions/code"),
              "3");
    EXPECT_EQ(
        field(all[5], "result"),
        R"({"completion":true,"duration":"PT3S","extensions":{"https://lms.example/c/extensions/lived":true,)"
        R"("https://lms.example/c/extensions/steps":3},"score":{"raw":200}})");

    // The same record gives the same statements; another learner, others.
    EXPECT_EQ(made(nullptr), all);
    settings.learner = QStringLiteral("platz08");
    const QJsonArray other = made(nullptr);
    EXPECT_NE(field(other[0], "context registration"), field(all[0], "context registration"));
    EXPECT_NE(field(other[0], "id"), field(all[0], "id"));
}

TEST_F(Statements, AVerdictPassesOrFailsWithEachCriterion)
{
    Verdict verdict{false,
                    40,
                    60,
                    {{"Schock rechtzeitig behandelt", true, 40, false}, {"Lebt", false, 60, true}}};
    for (const bool passed : {false, true}) {
        verdict.passed = passed;
        const QJsonArray all = made(&verdict);
        ASSERT_EQ(all.size(), 8);
        EXPECT_EQ(field(all[6], "verb id"), passed ? "http://adlnet.gov/expapi/verbs/passed"
                                                   : "http://adlnet.gov/expapi/verbs/failed");
        EXPECT_EQ(
            field(all[6], "result"),
            QStringLiteral(
                R"({"extensions":{"https://lms.example/c/extensions/criteria":[)"
                R"({"critical":false,"met":true,"name":"Schock rechtzeitig behandelt","points":40},)"
                R"({"critical":true,"met":false,"name":"Lebt","points":60}],)"
                R"("https://lms.example/c/extensions/pass-mark":60},)"
                R"("score":{"max":100,"min":0,"raw":40,"scaled":0.4},"success":%1})")
                .arg(passed ? "true" : "false")
                .toStdString());
    }
}
