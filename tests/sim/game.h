#pragma once

#include "fraktur.h"
#include "random.h"

#include <gtest/gtest.h>
#include <sstream>
#include <tuple>

// A game as "Start!" begins it: Fraktur(30), then reset; treat echoes the
// codes into `echo`.
struct Game {
    Game() { patient.setEcho(echo), patient.reset(); }
    Fraktur patient{30};
    std::ostringstream echo;
};

// Every field of the patient, to compare two patients bit for bit.
inline auto fields(const Fraktur &p)
{
    return std::make_tuple(
        p.ekgMode, p.alive, p.score, p.bleedingStage, p.shock, p.inPain, p.health, p.title,
        p.heartRate, p.respiratoryRate, p.systolic, p.temperature, p.complicationDivisor,
        p.circulationLoss, p.respirationLoss, p.complicationActive, p.woundUncleaned,
        p.painUntreated, p.infusionGiven, p.transfusionGiven, p.circulation, p.respiration);
}

// Restarts the shared sequence and advances it so that the next nextRandom()
// returns `value`.
inline void arrangeNextRandom(int value)
{
    restartRandomSequence();
    long skipped = 0;
    for (; nextRandom() != value; ++skipped)
        ASSERT_LT(skipped, 100000000L) << value << " does not occur in the sequence";
    restartRandomSequence();
    while (skipped-- > 0)
        nextRandom();
}
