#pragma once

#include "level.h"
#include "scenario.h"

#include <ostream>

// The lower-leg fracture. Two reserves, circulation and respiration, drain
// every second; the vital signs and health follow them. Random complications
// strike (first a shock, then worsening bleeding during it), and every
// treatment code earns or costs points and changes the drain rates. A
// scenario sets its numbers and adds complications at set steps or once a
// condition holds; the default scenario is the fracture as written here.
class Fraktur : public Level
{
  public:
    // complicationDivisor: the roll draws from [0, 100 / divisor).
    explicit Fraktur(int complicationDivisor);
    // Plays `scenario`: its divisor now, all else from the next reset().
    explicit Fraktur(const Scenario &scenario);

    // Called by "Start!" before reset() when another scenario was chosen.
    void useScenario(const Scenario &scenario);
    const Scenario &scenario() const { return plays; }

    void treat(ActionCode code) override;
    bool tick() override;
    void reset() override;

    // Every treat() writes its code here, bare, with no separator.
    // Standard output unless changed.
    void setEcho(std::ostream &stream) { echo = &stream; }

    void mapHeartRate(float d);
    void mapRespiratoryRate(float d);
    void mapSystolic(float d);
    void mapTemperature(float d);
    void rollComplication();

    // The rules a recorded game is judged by, asked by treat() and by the
    // course report, so that the report reads a game as the scenario played it.
    // Whether treatment `code` ends the shock: the first infusion or
    // transfusion during an active shock that has had the other already.
    static bool endsShock(ActionCode code, bool shockActive, bool infusionGiven,
                          bool transfusionGiven);
    // The bleeding stage that dressing `code` stops; 0 for a code that is no dressing.
    static int dressingStage(ActionCode code);
    static bool stopsBleeding(ActionCode code, int stage);

    float complicationDivisor;
    int circulationLoss = 2;
    int respirationLoss = 2;
    int complicationActive = 0;
    int woundUncleaned = 1;
    int painUntreated = 1;
    bool infusionGiven = false;
    bool transfusionGiven = false;
    float circulation = 100;
    float respiration = 100;

  private:
    void restoreStartValues();
    void strike(Complication what);
    void markDueEvents();
    void strikeDueEvents();
    bool holds(const Condition &condition) const;
    void apply(const Effect &effect);
    void giveFluid(bool &given, bool shockEnds, const TreatmentEffects &effects);
    void dress(ActionCode code, const TreatmentEffects &effects);

    std::ostream *echo;
    Scenario plays;
    int stepsTaken = 0; // the ticks since reset(), living or not
    // Indices into the scenario's events: those yet to strike, in file order,
    // and those due in the tick under way.
    std::vector<std::size_t> waiting;
    std::vector<std::size_t> due;
};
