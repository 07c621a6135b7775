#include "scenariofile.h"

#include "scenariokeys.h"
#include "scenariotext.h"
#include "tomlchecks.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace
{

// Reads one document into a Scenario. Of the problems found, the one that
// lies first in the file is reported, whatever order the checks run in.
class Reader : TomlChecks
{
  public:
    using TomlChecks::TomlChecks;

    // Called once, by parseScenario.
    std::string read(std::string_view text, Scenario &scenario);

  private:
    void readRandom(const Section &root, Scenario &scenario);
    void readPatient(const Section &root, Scenario &scenario);
    void readEffect(const Section &s, Effect &effect);
    void readTreatments(const Section &root, Scenario &scenario);
    void readEvent(const Section &s, ScenarioEvent &event);
    void readRubric(const Section &root, Scenario &scenario);
    void readCriterion(const Section &s, Criterion &criterion);
    void readCodes(const toml::array &codes, const std::string &named, Criterion &criterion);
};

std::string Reader::read(std::string_view text, Scenario &scenario)
{
    const toml::parse_result parsed = toml::parse(text);
    if (!parsed) {
        fail(parsed.error().source().begin, printable(parsed.error().description(), 200));
        return problem();
    }
    const Section root{parsed.table(), ""};
    onlyKnown(root, {"title", "tenths", "random", "patient", "shock", "bleeding", "drain",
                     "treatment", "event", "rubric"});
    Scenario read;
    line(root, "title", read.title);
    integer(root, "tenths", minTenths, maxTenths, read.tenths);
    readRandom(root, read);
    if (const auto shock = table(root, "shock", {"points", "circulation_loss", "respiration_loss"}))
        readEffect(*shock, read.shock);
    if (const auto bleeding =
            table(root, "bleeding",
                  {"points", "circulation_loss", "respiration_loss", "highest_stage"})) {
        readEffect(*bleeding, read.bleeding);
        integer(*bleeding, "highest_stage", 1, maxBleedingStage, read.highestBleedingStage);
    }
    readPatient(root, read); // after the highest stage, which bounds the start's
    if (const auto drain = table(root, "drain", {"per_rate"}))
        decimal(*drain, "per_rate", 0, maxDrainPerRate, read.drainPerRate);
    readTreatments(root, read);
    if (const toml::array *events = tables(root, "event", maxEvents)) {
        for (const toml::node &node : *events)
            readEvent({*node.as_table(), "event."}, read.events.emplace_back());
    }
    readRubric(root, read);
    if (problem().empty())
        scenario = std::move(read);
    return problem();
}

void Reader::readRandom(const Section &root, Scenario &scenario)
{
    const auto random = table(root, "random", {"start", "complications", "divisor", "spray"});
    if (!random)
        return;
    long long start = 0;
    if (integer(*random, "start", 0, 4294967295LL, start))
        scenario.randomStart = static_cast<std::uint32_t>(start);
    boolean(*random, "complications", scenario.complications);
    decimal(*random, "divisor", minDivisor, maxDivisor, scenario.divisor);
    if (const auto own = either(*random, "spray", "own", "shared"))
        scenario.spray = *own ? SprayRandom::Own : SprayRandom::Shared;
}

void Reader::readPatient(const Section &root, Scenario &scenario)
{
    const auto patient = table(
        root, "patient",
        {"circulation", "respiration", "circulation_loss", "respiration_loss", "bleeding_stage"});
    if (!patient)
        return;
    PatientStart &start = scenario.patient;
    decimal(*patient, "circulation", minReserve, maxReserve, start.circulation);
    decimal(*patient, "respiration", minReserve, maxReserve, start.respiration);
    integer(*patient, "circulation_loss", -maxLossChange, maxLossChange, start.circulationLoss);
    integer(*patient, "respiration_loss", -maxLossChange, maxLossChange, start.respirationLoss);
    integer(*patient, "bleeding_stage", 0, scenario.highestBleedingStage, start.bleedingStage);
}

void Reader::readEffect(const Section &s, Effect &effect)
{
    integer(s, "points", -maxPoints, maxPoints, effect.points);
    integer(s, "circulation_loss", -maxLossChange, maxLossChange, effect.circulationLoss);
    integer(s, "respiration_loss", -maxLossChange, maxLossChange, effect.respirationLoss);
}

// [treatment.N] with a table for each case of code N.
void Reader::readTreatments(const Section &root, Scenario &scenario)
{
    const toml::node *node = root.get("treatment");
    if (node && !node->is_table())
        return fail(*node, "'treatment' must be a table, not " + std::string(typeName(*node)));
    if (!node)
        return;
    const Section codes{*node->as_table(), "treatment."};
    for (const auto &[key, codeNode] : codes.table) {
        const ActionCode code = treatmentCode(key.str());
        if (code == NoAction || !codeNode.is_table()) {
            fail(key.source().begin,
                 code == NoAction
                     ? "unknown key " + codes.named(key.str()) + ": the codes are 1 to 15"
                     : codes.named(key.str()) + " must be a table, not " + typeName(codeNode));
            continue;
        }
        const Section cases{*codeNode.as_table(), codes.path + std::string(key.str()) + "."};
        for (const auto &[caseKey, caseNode] : cases.table) {
            Effect *effect = treatmentCase(scenario.treatments[code], code, caseKey.str());
            if (!effect)
                fail(caseKey.source().begin, "unknown key " + cases.named(caseKey.str()) +
                                                 ": code " + std::to_string(code) + " has " +
                                                 treatmentCases(code));
            else if (const auto effects = table(cases, caseKey.str(),
                                                {"points", "circulation_loss", "respiration_loss"}))
                readEffect(*effects, *effect);
        }
    }
}

void Reader::readEvent(const Section &s, ScenarioEvent &event)
{
    onlyKnown(s, {"step", "when", "what"});
    integer(s, "step", 1, maxEventStep, event.step);
    if (const auto *when = value<std::string>(s, "when", "a string")) {
        Condition condition;
        if (readCondition(when->get(), condition))
            event.when = condition;
        else
            fail(*when, "cannot read 'event.when' \"" + printable(when->get()) +
                            "\": write '<measure> <comparison> <number>' with circulation, "
                            "respiration, health or score and <, <=, > or >=");
    }
    if (s.get("step") && s.get("when"))
        fail(*s.get("when"), "an event has 'step' or 'when', not both");
    else if (!s.get("step") && !s.get("when"))
        fail(s.table, "an event needs 'step' or 'when'");
    if (const auto shock = either(s, "what", "shock", "bleeding"))
        event.what = *shock ? Complication::Shock : Complication::Bleeding;
}

void Reader::readRubric(const Section &root, Scenario &scenario)
{
    const auto rubric = table(root, "rubric", {"pass", "criterion"});
    if (!rubric)
        return;
    Rubric &read = scenario.rubric.emplace();
    int total = 0; // at most maxCriteria x maxPoints
    const int problemsBefore = problemCount();
    if (const toml::array *criteria = tables(*rubric, "criterion", maxCriteria)) {
        for (const toml::node &node : *criteria) {
            Criterion &criterion = read.criteria.emplace_back();
            readCriterion({*node.as_table(), "rubric.criterion."}, criterion);
            total += criterion.points;
        }
    }
    long long pass = 0;
    // A criterion whose points could not be read leaves the total unknown.
    if (integer(*rubric, "pass", 0, maxPoints * static_cast<long long>(maxCriteria), pass) &&
        pass > total && problemCount() == problemsBefore)
        fail(*rubric->get("pass"), "the pass mark " + std::to_string(pass) + " is above the " +
                                       std::to_string(total) + " points the criteria give");
    read.pass = static_cast<int>(pass);
}

void Reader::readCriterion(const Section &s, Criterion &criterion)
{
    onlyKnown(s, {"name", "points", "critical", "alive", "shock_within", "bleeding_within", "given",
                  "avoid", "score_at_least"});
    if (!s.get("name"))
        fail(s.table, "a criterion needs a 'name'");
    line(s, "name", criterion.name);
    integer(s, "points", 0, maxPoints, criterion.points);
    boolean(s, "critical", criterion.critical);
    std::optional<std::string_view> kind;
    for (const auto &[key, node] : s.table) {
        const std::optional<CriterionKind> k = criterionKind(key.str());
        if (k && kind)
            fail(key.source().begin, "a criterion has one kind only, not both '" +
                                         std::string(*kind) + "' and '" + std::string(key.str()) +
                                         "'");
        else if (k) {
            kind = key.str();
            criterion.kind = *k;
        }
    }
    if (!kind)
        return fail(s.table, "a criterion needs one of alive, shock_within, bleeding_within, "
                             "given, avoid or score_at_least");
    const std::string_view key = *kind;
    bool alive = true;
    switch (criterion.kind) {
    case CriterionKind::Alive:
        boolean(s, key, alive);
        if (!alive)
            fail(*s.get(key), "'rubric.criterion.alive' can only be true");
        break;
    case CriterionKind::ShockWithin:
    case CriterionKind::BleedingWithin: integer(s, key, 1, maxEventStep, criterion.limit); break;
    case CriterionKind::ScoreAtLeast:
        integer(s, key, -maxScoreAtLeast, maxScoreAtLeast, criterion.limit);
        break;
    case CriterionKind::Given:
    case CriterionKind::Avoid:
        if (const toml::node *codes = s.get(key); codes && !codes->is_array())
            fail(*codes, s.named(key) + " must be an array of codes, not " + typeName(*codes));
        else
            readCodes(*codes->as_array(), s.named(key), criterion);
        break;
    }
}

void Reader::readCodes(const toml::array &codes, const std::string &named, Criterion &criterion)
{
    if (codes.empty() || codes.size() > maxCodes)
        return fail(codes, named + " must list 1 to " + std::to_string(maxCodes) + " codes");
    for (const toml::node &node : codes) {
        const std::optional<int64_t> code = node.value_exact<int64_t>();
        if (!code || *code < 1 || *code > 15)
            return fail(node, "the codes in " + named + " must be integers between 1 and 15");
        criterion.codes.push_back(static_cast<ActionCode>(*code));
    }
}

} // namespace

std::string loadScenarioFile(const std::string &path, ScenarioFile &file)
{
    const std::unique_ptr<std::FILE, int (*)(std::FILE *)> in(std::fopen(path.c_str(), "rb"),
                                                              std::fclose);
    std::string bytes;
    std::size_t got = 0;
    char buffer[65536];
    while (in && bytes.size() <= maxFileBytes &&
           (got = std::fread(buffer, 1, sizeof buffer, in.get())) > 0)
        bytes.append(buffer, got);
    if (!in || std::ferror(in.get()))
        return printable(path, 4096) + ": cannot read: " + std::strerror(errno);
    if (bytes.size() > maxFileBytes)
        return printable(path, 4096) + ": more than " + std::to_string(maxFileBytes) +
               " bytes: not a scenario";
    Scenario scenario;
    const std::string problem = parseScenario(bytes, path, scenario);
    if (problem.empty())
        file = {path, std::move(bytes), std::move(scenario)};
    return problem;
}

std::string parseScenario(std::string_view text, const std::string &name, Scenario &scenario)
{
    return Reader(name).read(text, scenario);
}
