#include "runner.h"

#include "fraktur.h"
#include "random.h"
#include "readings.h"
#include "script.h"

#include <cstdio>

const char *const csvHeader =
    "step,score,health,alive,shock,bleeding,circulation,respiration,circulation_loss,"
    "respiration_loss,heart_rate,systolic,diastolic,temperature,respiratory_rate,ekg_mode";

namespace
{

// The game window creates its scenario with the same divisor.
constexpr int gameComplicationDivisor = 30;

void writeRow(std::ostream &csv, int step, const Fraktur &patient, const Readings &readings)
{
    // %.9g prints every float exactly enough to read back the same bits.
    char row[512];
    std::snprintf(
        row, sizeof row, "%d,%d,%.9g,%d,%d,%d,%.9g,%.9g,%d,%d,%d,%d,%d,%.9g,%d,%d\n", step,
        patient.score, static_cast<double>(patient.health), patient.alive ? 1 : 0,
        patient.shock ? 1 : 0, patient.bleedingStage, static_cast<double>(patient.circulation),
        static_cast<double>(patient.respiration), patient.circulationLoss, patient.respirationLoss,
        readings.heartRate, readings.systolic, diastolicFor(readings.systolic),
        static_cast<double>(readings.temperature), readings.respiratoryRate, readings.ekgMode);
    csv << row;
}

} // namespace

void runPlan(const Plan &plan, std::ostream &csv, std::ostream &echo)
{
    restartRandomSequence();
    Fraktur patient(gameComplicationDivisor);
    patient.setEcho(echo);
    patient.reset();

    csv << csvHeader << '\n';
    auto next = plan.treatments.begin();
    for (int step = 1; step <= plan.steps; ++step) {
        for (; next != plan.treatments.end() && next->step == step; ++next)
            patient.treat(next->code);
        patient.tick();
        writeRow(csv, step, patient, takeReadings(patient));
    }
    // The scenario writes its codes without separators; end them with a line.
    if (!plan.treatments.empty())
        echo << '\n';
}
