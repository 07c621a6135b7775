#include "gamesummary.h"

#include "fraktur.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace
{

std::optional<double> median(std::vector<double> values)
{
    if (values.empty())
        return std::nullopt;
    std::sort(values.begin(), values.end());
    const std::size_t half = values.size() / 2;
    return values.size() % 2 ? values[half] : (values[half - 1] + values[half]) / 2;
}

} // namespace

GameSummary::GameSummary(const Course &course, const std::vector<Treatment> &treatments,
                         int bleedingAtStart)
    : steps(static_cast<int>(course.steps.size())),
      finalScore(course.steps.empty() ? 0 : course.steps.back().score),
      treatments(static_cast<int>(treatments.size()))
{
    // What the scenario keeps of a shock and a bleeding, as a game starts.
    bool inShock = false, infused = false, transfused = false;
    int stage = bleedingAtStart;
    std::size_t bleedingRunsFrom = 0; // the first bleeding not yet stopped
    if (stage > 0)
        bleedings.push_back({1, std::nullopt});
    for (const CourseEvent &event : course.events) {
        const bool dead = diedAt > 0;
        switch (event.kind) {
        case EventKind::ShockStart:
            inShock = true;
            infused = transfused = false;
            shocks.push_back({event.step, std::nullopt});
            break;
        case EventKind::BleedingRise:
            stage = event.value;
            bleedings.push_back({event.step, std::nullopt});
            break;
        case EventKind::Death:
            diedAt = event.step;
            stage = 0;
            break;
        case EventKind::Treatment:
            if (Fraktur::endsShock(event.value, inShock, infused, transfused)) {
                inShock = false;
                if (!dead && !shocks.empty())
                    shocks.back().stepsToEnd = event.step - shocks.back().step;
            }
            infused = infused || event.value == actionCode(Behandlung::Infusion);
            transfused = transfused || event.value == actionCode(Behandlung::Transfusion);
            if (Fraktur::stopsBleeding(event.value, stage)) {
                stage = 0;
                bleedingStopped.push_back(event.step);
                for (; bleedingRunsFrom < bleedings.size(); ++bleedingRunsFrom)
                    bleedings[bleedingRunsFrom].stepsToEnd =
                        event.step - bleedings[bleedingRunsFrom].step;
            }
            break;
        }
    }
    costly = 0;
    for (const Treatment &t : treatments) {
        if (!t.points) {
            costly.reset();
            break;
        }
        *costly += *t.points < 0;
    }
}

std::string GameSummary::outcome() const
{
    return diedAt ? "died at step " + std::to_string(diedAt) : "lives";
}

CourseFigures::CourseFigures(const std::vector<GameSummary> &summaries)
    : games(static_cast<int>(summaries.size()))
{
    std::vector<double> scores, stepsToTreat;
    for (const GameSummary &game : summaries) {
        alive += game.diedAt == 0;
        scores.push_back(game.finalScore);
        for (const GameSummary::Episode &shock : game.shocks) {
            if (shock.stepsToEnd)
                stepsToTreat.push_back(*shock.stepsToEnd);
            ++(shock.stepsToEnd ? treatedShocks : untreatedShocks);
        }
    }
    medianScore = median(scores);
    medianStepsToTreat = median(stepsToTreat);
}

std::string figureText(const std::optional<double> &value)
{
    if (!value)
        return "none";
    // Medians of whole numbers: whole, or halfway between two.
    char text[32];
    const int decimals = *value == std::floor(*value) ? 0 : 1;
    return std::string(
        text,
        std::to_chars(text, text + sizeof text, *value, std::chars_format::fixed, decimals).ptr);
}
