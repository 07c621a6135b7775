#pragma once

#include "level.h"

#include <ostream>

// The lower-leg fracture. Two reserves, circulation and respiration, drain
// every second; the vital signs and health follow them. Random complications
// strike (first a shock, then worsening bleeding during it), and every
// treatment code earns or costs points and changes the drain rates.
class Fraktur : public Level
{
  public:
    // The divisor the game plays with: a complication in 30 % of the seconds.
    static constexpr int gameComplicationDivisor = 30;

    // complicationDivisor: the roll draws from [0, 100 / divisor).
    explicit Fraktur(int complicationDivisor);

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
    void giveFluid(bool &given, bool shockEnds);
    void dress(ActionCode code, int lossDrop, int reward);
    void changeLosses(int delta, int points);

    std::ostream *echo;
};
