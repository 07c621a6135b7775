#pragma once

#include "codes.h"

// A treatment scenario: the patient state the game shell reads, the three
// operations through which the game drives it, and the jittered readings the
// vital-signs monitor shows.
class Level
{
  public:
    // Called by the picking code when a tool is applied to a target, and by
    // the headless runner for each scripted treatment.
    virtual void treat(ActionCode code) = 0;
    // Called by the game clock once per second of game time while a game runs;
    // returns whether the shock complication is active after the step.
    virtual bool tick() = 0;
    // Called by "Start!" to put the patient into the state of a new game.
    virtual void reset() = 0;
    // After the three operations, so that they keep the first slots.
    virtual ~Level() = default;

    // Readings: the field with up to 5 % (temperature 1 %) of upward jitter.
    // Each reading of a living patient draws one random number; a dead patient
    // reads 0 (temperature: the unjittered value) and draws none.
    int readHeartRate() const;
    int readRespiratoryRate() const;
    int readSystolic() const;
    float readTemperature() const;

    int ekgMode = 0;
    bool alive = true;
    int score = 0;
    int bleedingStage = 0;
    bool shock = false;
    bool inPain = false;
    float health = 0;
    const char *title = nullptr;
    int heartRate = 0;
    int respiratoryRate = 0;
    int systolic = 0;
    float temperature = 0;

  private:
    int jittered(int value) const;
};
