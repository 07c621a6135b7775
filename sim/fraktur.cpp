#include "fraktur.h"

#include "random.h"

#include <algorithm>
#include <cmath>
#include <iostream>

namespace
{
Scenario withDivisor(int divisor)
{
    Scenario scenario;
    scenario.divisor = divisor;
    return scenario;
}
// The whole part of a vital sign's change. A scenario's numbers can drive a
// reserve far beyond any int over a long run; the change stops at a billion,
// where the readings and the table still hold it.
int truncated(double change)
{
    constexpr double limit = 1e9;
    return static_cast<int>(std::clamp(change, -limit, limit));
}
} // namespace

Fraktur::Fraktur(int complicationDivisor) : Fraktur(withDivisor(complicationDivisor)) {}

// The drain rates keep their initial 2 only until the first game starts.
Fraktur::Fraktur(const Scenario &scenario)
    : complicationDivisor(static_cast<float>(scenario.divisor)), echo(&std::cout), plays(scenario)
{
    restoreStartValues();
}

void Fraktur::useScenario(const Scenario &scenario)
{
    plays = scenario;
    complicationDivisor = static_cast<float>(scenario.divisor);
}

void Fraktur::reset()
{
    restoreStartValues();
    circulationLoss = plays.patient.circulationLoss;
    respirationLoss = plays.patient.respirationLoss;
    bleedingStage = plays.patient.bleedingStage;
    circulation = plays.patient.circulation;
    respiration = plays.patient.respiration;
    stepsTaken = 0;
    waiting.clear();
    for (std::size_t i = 0; i < plays.events.size(); ++i)
        waiting.push_back(i);
    due.clear();
}

void Fraktur::restoreStartValues()
{
    ekgMode = 0;
    alive = true;
    score = 0;
    bleedingStage = 1;
    inPain = true;
    health = 100;
    title = plays.title.c_str();
    heartRate = 90;
    respiratoryRate = 15;
    systolic = 120;
    temperature = 36.5f;
    complicationActive = 0;
    woundUncleaned = 1;
    painUntreated = 1;
    circulation = 100;
    respiration = 100;
}

bool Fraktur::tick()
{
    ++stepsTaken;
    if (!(circulation > 0 && respiration > 0)) {
        health = 0;
        alive = false;
        ekgMode = -1;
        bleedingStage = 0;
        inPain = false;
        shock = false;
        return false;
    }
    mapRespiratoryRate(static_cast<float>(static_cast<double>(respiration) - 100));
    mapHeartRate(static_cast<float>(100 - static_cast<double>(circulation)));
    mapSystolic(static_cast<float>(static_cast<double>(circulation) - 100));
    mapTemperature(static_cast<float>(static_cast<double>(respiration) - 100));
    // A `when` is judged on the patient as the step begins, before the step
    // computes a new health.
    if (!waiting.empty())
        markDueEvents();
    const float product = respiration * circulation;
    health = static_cast<float>(std::sqrt(static_cast<double>(product)));
    if (painUntreated != 0)
        inPain = true;
    if (plays.complications)
        rollComplication();
    if (!due.empty())
        strikeDueEvents();
    shock = complicationActive == 1;
    circulation = static_cast<float>(circulation - plays.drainPerRate * circulationLoss);
    respiration = static_cast<float>(respiration - plays.drainPerRate * respirationLoss);
    return shock;
}

void Fraktur::mapHeartRate(float d)
{
    heartRate = 90 - truncated(d * -0.5);
}

void Fraktur::mapRespiratoryRate(float d)
{
    if (d > 0)
        respiratoryRate = 15 - truncated(d * -0.15);
    else
        respiratoryRate = 15 - truncated(d * -0.1);
}

void Fraktur::mapSystolic(float d)
{
    if (d > 0)
        systolic = 120 + truncated(static_cast<double>(d));
    else
        systolic = 120 - truncated(d * -0.4);
}

void Fraktur::mapTemperature(float d)
{
    const double factor = d > 0 ? 0.035 : 0.025;
    temperature = static_cast<float>(truncated(d * factor) + 36.5);
}

void Fraktur::rollComplication()
{
    const float bound = static_cast<float>(100.0 / complicationDivisor);
    const float v = randomRange(0.0f, bound);
    if (static_cast<int>(v) != 0)
        return;
    strike(complicationActive == 0 ? Complication::Shock : Complication::Bleeding);
}

// A shock strikes only a patient not in shock; the bleeding worsens up to the
// scenario's highest stage, also from 0, where a dressing had stopped it.
void Fraktur::strike(Complication what)
{
    if (what == Complication::Shock) {
        if (complicationActive != 0)
            return;
        apply(plays.shock);
        complicationActive = 1;
        infusionGiven = false;
        transfusionGiven = false;
    } else if (bleedingStage < plays.highestBleedingStage) {
        apply(plays.bleeding);
        bleedingStage += 1;
    }
}

// An event leaves the waiting list when it falls due, and a step event also
// when its step passed while the patient was dead.
void Fraktur::markDueEvents()
{
    std::size_t kept = 0;
    for (const std::size_t i : waiting) {
        const ScenarioEvent &event = plays.events[i];
        const bool isDue = event.when ? holds(*event.when) : event.step == stepsTaken;
        if (isDue)
            due.push_back(i);
        else if (event.when || event.step > stepsTaken)
            waiting[kept++] = i;
    }
    waiting.resize(kept);
}

void Fraktur::strikeDueEvents()
{
    for (const std::size_t i : due)
        strike(plays.events[i].what);
    due.clear();
}

bool Fraktur::holds(const Condition &condition) const
{
    double measured = 0;
    switch (condition.measure) {
    case Measure::Circulation: measured = circulation; break;
    case Measure::Respiration: measured = respiration; break;
    case Measure::Health: measured = health; break;
    case Measure::Score: measured = score; break;
    }
    switch (condition.comparison) {
    case Comparison::Less: return measured < condition.value;
    case Comparison::LessOrEqual: return measured <= condition.value;
    case Comparison::Greater: return measured > condition.value;
    case Comparison::GreaterOrEqual: return measured >= condition.value;
    }
    return false;
}

void Fraktur::apply(const Effect &effect)
{
    score += effect.points;
    circulationLoss += effect.circulationLoss;
    respirationLoss += effect.respirationLoss;
}

bool Fraktur::endsShock(ActionCode code, bool shockActive, bool infusionGiven,
                        bool transfusionGiven)
{
    switch (static_cast<Behandlung>(code)) {
    case Behandlung::Infusion: return shockActive && !infusionGiven && transfusionGiven;
    case Behandlung::Transfusion: return shockActive && !transfusionGiven && infusionGiven;
    default: return false;
    }
}

int Fraktur::dressingStage(ActionCode code)
{
    switch (static_cast<Behandlung>(code)) {
    case Behandlung::Pflaster: return 1;
    case Behandlung::Druckverband: return 2;
    case Behandlung::Naht: return 3;
    default: return 0;
    }
}

bool Fraktur::stopsBleeding(ActionCode code, int stage)
{
    return dressingStage(code) != 0 && dressingStage(code) == stage;
}

// Infusion and transfusion: the first of each during a shock helps, a second
// one overloads.
void Fraktur::giveFluid(bool &given, bool shockEnds, const TreatmentEffects &effects)
{
    if (given) {
        apply(effects.again);
    } else if (complicationActive == 1) {
        given = true;
        apply(effects.helps);
        if (shockEnds)
            complicationActive = 0;
    } else {
        given = true;
        apply(effects.otherwise);
    }
}

// A dressing helps only at the bleeding stage it is made for.
void Fraktur::dress(ActionCode code, const TreatmentEffects &effects)
{
    if (stopsBleeding(code, bleedingStage)) {
        apply(effects.helps);
        bleedingStage = 0;
    } else {
        apply(effects.otherwise);
    }
}

void Fraktur::treat(ActionCode code)
{
    const bool shockEnds =
        endsShock(code, complicationActive == 1, infusionGiven, transfusionGiven);
    const bool inTable = code > 0 && code < static_cast<int>(plays.treatments.size());
    const TreatmentEffects &effects = plays.treatments[inTable ? code : 0];
    switch (static_cast<Behandlung>(code)) {
    case Behandlung::Infusion: giveFluid(infusionGiven, shockEnds, effects); break;
    case Behandlung::Transfusion: giveFluid(transfusionGiven, shockEnds, effects); break;
    case Behandlung::Pflaster:
    case Behandlung::Druckverband:
    case Behandlung::Naht: dress(code, effects); break;
    case Behandlung::Wundreinigung:
        apply(woundUncleaned == 1 ? effects.helps : effects.again);
        woundUncleaned = 0;
        break;
    case Behandlung::Schmerzmittel:
        apply(effects.helps);
        painUntreated = 0;
        break;
    default:
        if (inTable)
            apply(effects.helps);
        break;
    }
    *echo << code;
}
