#include "runner.h"

#include "course.h"
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

CourseStep courseStep(int step, const Fraktur &patient, const Readings &readings)
{
    return {step,
            patient.score,
            patient.health,
            patient.alive,
            patient.shock,
            patient.bleedingStage,
            patient.circulation,
            patient.respiration,
            readings.heartRate,
            readings.systolic,
            diastolicFor(readings.systolic),
            readings.temperature,
            readings.respiratoryRate};
}

struct ComplicationState {
    int complicationActive;
    int bleedingStage;
    bool alive;
};

ComplicationState complicationState(const Fraktur &patient)
{
    return {patient.complicationActive, patient.bleedingStage, patient.alive};
}

// The complications of one tick, found by comparing the patient before and
// after it. The shock flag alone would miss a shock that ends by treatment
// and starts again in the same step, so the scenario's own state is compared.
void noteComplications(int step, const ComplicationState &before, const Fraktur &after,
                       Course &course)
{
    if (before.complicationActive == 0 && after.complicationActive == 1)
        course.events.push_back({step, EventKind::ShockStart, 0});
    if (after.bleedingStage > before.bleedingStage)
        course.events.push_back({step, EventKind::BleedingRise, after.bleedingStage});
    if (before.alive && !after.alive)
        course.events.push_back({step, EventKind::Death, 0});
}

} // namespace

void runPlan(const Plan &plan, std::ostream &csv, std::ostream &echo, Course *course)
{
    restartRandomSequence();
    Fraktur patient(gameComplicationDivisor);
    patient.setEcho(echo);
    patient.reset();

    csv << csvHeader << '\n';
    auto next = plan.treatments.begin();
    for (int step = 1; step <= plan.steps; ++step) {
        for (; next != plan.treatments.end() && next->step == step; ++next) {
            patient.treat(next->code);
            if (course)
                course->events.push_back({step, EventKind::Treatment, next->code});
        }
        const ComplicationState before = complicationState(patient);
        patient.tick();
        const Readings readings = takeReadings(patient);
        writeRow(csv, step, patient, readings);
        if (course) {
            noteComplications(step, before, patient, *course);
            course->steps.push_back(courseStep(step, patient, readings));
        }
    }
    // The scenario writes its codes without separators; end them with a line.
    if (!plan.treatments.empty())
        echo << '\n';
}
