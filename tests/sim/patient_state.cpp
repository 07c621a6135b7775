#include "patient_state.h"

#include "random.h"

#include <gtest/gtest.h>
#include <tuple>

namespace
{
auto fields(const PatientState &s)
{
    return std::tie(s.ekgMode, s.alive, s.score, s.bleedingStage, s.shock, s.inPain, s.health,
                    s.title, s.heartRate, s.respiratoryRate, s.systolic, s.temperature,
                    s.complicationDivisor, s.circulationLoss, s.respirationLoss,
                    s.complicationActive, s.woundUncleaned, s.painUntreated, s.infusionGiven,
                    s.transfusionGiven, s.circulation, s.respiration);
}
} // namespace

PatientState PatientState::of(const Fraktur &p)
{
    return {p.ekgMode,
            p.alive,
            p.score,
            p.bleedingStage,
            p.shock,
            p.inPain,
            p.health,
            p.title,
            p.heartRate,
            p.respiratoryRate,
            p.systolic,
            p.temperature,
            p.complicationDivisor,
            p.circulationLoss,
            p.respirationLoss,
            p.complicationActive,
            p.woundUncleaned,
            p.painUntreated,
            p.infusionGiven,
            p.transfusionGiven,
            p.circulation,
            p.respiration};
}

bool PatientState::operator==(const PatientState &other) const
{
    return fields(*this) == fields(other);
}

std::ostream &operator<<(std::ostream &out, const PatientState &s)
{
    out.precision(9);
    return out << "{ekg " << s.ekgMode << ", alive " << s.alive << ", score " << s.score
               << ", bleeding " << s.bleedingStage << ", shock " << s.shock << ", pain " << s.inPain
               << ", health " << s.health << ", HR " << s.heartRate << ", RR " << s.respiratoryRate
               << ", sys " << s.systolic << ", temp " << s.temperature << ", divisor "
               << s.complicationDivisor << ", losses " << s.circulationLoss << "/"
               << s.respirationLoss << ", complication " << s.complicationActive << ", uncleaned "
               << s.woundUncleaned << ", untreated " << s.painUntreated << ", infusion "
               << s.infusionGiven << ", transfusion " << s.transfusionGiven << ", reserves "
               << s.circulation << "/" << s.respiration << "}";
}

Game::Game()
{
    patient.setEcho(echo);
    patient.reset();
}

long arrangeNextRandom(int value)
{
    restartRandomSequence();
    long skipped = 0;
    while (nextRandom() != value) {
        ++skipped;
        if (skipped > 100000000L) {
            ADD_FAILURE() << value << " does not occur in the random sequence";
            return -1;
        }
    }
    restartRandomSequence();
    for (long i = 0; i < skipped; ++i)
        nextRandom();
    return skipped;
}

int sequenceValue(long n)
{
    restartRandomSequence();
    for (long i = 0; i < n; ++i)
        nextRandom();
    return nextRandom();
}
