#include "runner.h"

#include "courselog.h"
#include "coursetable.h"
#include "fraktur.h"
#include "random.h"
#include "readings.h"
#include "script.h"

void runPlan(const Plan &plan, const Scenario &scenario, std::ostream &csv, std::ostream &echo,
             Course *course)
{
    restartRandomSequence(scenario.randomStart.value_or(RandomSequence::programStart));
    Fraktur patient(scenario);
    patient.setEcho(echo);
    patient.reset();
    CourseLog log(patient);

    csv << csvHeader << '\n';
    auto next = plan.treatments.begin();
    for (int step = 1; step <= plan.steps; ++step) {
        for (; next != plan.treatments.end() && next->step == step; ++next) {
            patient.treat(next->code);
            log.treated(step, next->code);
        }
        patient.tick();
        const Readings readings = takeReadings(patient);
        csv << csvRow(step, patient, readings);
        log.stepped(step, readings);
    }
    // The scenario writes its codes without separators; end them with a line.
    if (!plan.treatments.empty())
        echo << '\n';
    if (course)
        *course = log.course();
}
