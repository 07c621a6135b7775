#include "eventnames.h"

namespace
{

// Indexed by action code; 0 and 12 mean nothing.
const char *const names[] = {
    nullptr,
    "Infusion",
    "Transfusion",
    "Pflaster",
    "Druckverband",
    "Naht",
    "Wundreinigung",
    "Schmerzmittel",
    "Antidurchfallmittel",
    "Antibrechmittel",
    "Paracetamol",
    "Blutdrucksenker",
    nullptr,
    "Sauerstoff",
    "Defibrillation",
    "OP",
};

} // namespace

const char *treatmentName(ActionCode code)
{
    constexpr int count = sizeof names / sizeof names[0];
    return code >= 0 && code < count ? names[code] : nullptr;
}

std::string treatmentLabel(ActionCode code)
{
    const char *name = treatmentName(code);
    const std::string number = std::to_string(code);
    return name ? std::string(name) + " (" + number + ")" : "Code " + number;
}

std::string eventLabel(const CourseEvent &event)
{
    switch (event.kind) {
    case EventKind::Treatment: return treatmentLabel(event.value);
    case EventKind::ShockStart: return "Schock";
    case EventKind::BleedingRise: return "Blutung " + std::to_string(event.value);
    case EventKind::Death: return "Tod";
    }
    return {};
}
