#pragma once

#include "fraktur.h"

#include <ostream>
#include <sstream>

// Test helpers for the fracture scenario: a full snapshot of a patient that
// compares bit for bit, a fresh game with its code echo captured, and a way to
// make the shared random sequence produce a chosen value next.

struct PatientState {
    int ekgMode;
    bool alive;
    int score;
    int bleedingStage;
    bool shock;
    bool inPain;
    float health;
    const char *title;
    int heartRate;
    int respiratoryRate;
    int systolic;
    float temperature;
    float complicationDivisor;
    int circulationLoss;
    int respirationLoss;
    int complicationActive;
    int woundUncleaned;
    int painUntreated;
    bool infusionGiven;
    bool transfusionGiven;
    float circulation;
    float respiration;

    static PatientState of(const Fraktur &patient);
    bool operator==(const PatientState &other) const;
};

std::ostream &operator<<(std::ostream &out, const PatientState &state);

// A game as "Start!" begins it: Fraktur(30), reset; codes echo into `echo`.
struct Game {
    Game();
    Fraktur patient{30};
    std::ostringstream echo;
};

// Restarts the shared sequence and advances it so that the next nextRandom()
// returns `value`. Returns the number of values skipped.
long arrangeNextRandom(int value);

// The n-th value (0-based) of the sequence from its start; leaves the
// sequence restarted and advanced by n + 1 values.
int sequenceValue(long n);
