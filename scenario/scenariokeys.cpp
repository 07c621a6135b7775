#include "scenariokeys.h"

#include <array>

namespace
{

struct Case {
    const char *key;
    Effect TreatmentEffects::*effect;
};

// Infusion, transfusion; the three dressings; wound cleaning; every other code.
constexpr std::array<Case, 3> fluidCases{{{"in_shock", &TreatmentEffects::helps},
                                          {"before_shock", &TreatmentEffects::otherwise},
                                          {"again", &TreatmentEffects::again}}};
constexpr std::array<Case, 2> dressingCases{
    {{"at_stage", &TreatmentEffects::helps}, {"other_stage", &TreatmentEffects::otherwise}}};
constexpr std::array<Case, 2> cleaningCases{
    {{"first", &TreatmentEffects::helps}, {"again", &TreatmentEffects::again}}};
constexpr std::array<Case, 1> alwaysCases{{{"always", &TreatmentEffects::helps}}};

template <typename Visit> auto withCases(ActionCode code, Visit visit)
{
    switch (static_cast<Behandlung>(code)) {
    case Behandlung::Infusion:
    case Behandlung::Transfusion: return visit(fluidCases.data(), fluidCases.size());
    case Behandlung::Pflaster:
    case Behandlung::Druckverband:
    case Behandlung::Naht: return visit(dressingCases.data(), dressingCases.size());
    case Behandlung::Wundreinigung: return visit(cleaningCases.data(), cleaningCases.size());
    default: return visit(alwaysCases.data(), alwaysCases.size());
    }
}

} // namespace

ActionCode treatmentCode(std::string_view key)
{
    for (ActionCode code = 1; code <= 15; ++code)
        if (key == std::to_string(code))
            return code;
    return NoAction;
}

Effect *treatmentCase(TreatmentEffects &effects, ActionCode code, std::string_view key)
{
    return withCases(code, [&](const Case *cases, std::size_t count) -> Effect * {
        for (std::size_t i = 0; i < count; ++i)
            if (key == cases[i].key)
                return &(effects.*cases[i].effect);
        return nullptr;
    });
}

std::string treatmentCases(ActionCode code)
{
    return withCases(code, [](const Case *cases, std::size_t count) {
        std::string names;
        for (std::size_t i = 0; i < count; ++i)
            names += (i == 0 ? "" : i + 1 == count ? " and " : ", ") + std::string(cases[i].key);
        return count == 1 ? "only " + names : names;
    });
}

std::optional<CriterionKind> criterionKind(std::string_view key)
{
    const std::pair<std::string_view, CriterionKind> kinds[] = {
        {"alive", CriterionKind::Alive},
        {"shock_within", CriterionKind::ShockWithin},
        {"bleeding_within", CriterionKind::BleedingWithin},
        {"given", CriterionKind::Given},
        {"avoid", CriterionKind::Avoid},
        {"score_at_least", CriterionKind::ScoreAtLeast}};
    for (const auto &[name, kind] : kinds)
        if (key == name)
            return kind;
    return std::nullopt;
}
