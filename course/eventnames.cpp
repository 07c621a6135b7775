#include "eventnames.h"

#include <charconv>

const char *treatmentName(ActionCode code)
{
    switch (static_cast<Behandlung>(code)) {
    case Behandlung::Infusion: return "Infusion";
    case Behandlung::Transfusion: return "Transfusion";
    case Behandlung::Pflaster: return "Pflaster";
    case Behandlung::Druckverband: return "Druckverband";
    case Behandlung::Naht: return "Naht";
    case Behandlung::Wundreinigung: return "Wundreinigung";
    case Behandlung::Schmerzmittel: return "Schmerzmittel";
    case Behandlung::Antidurchfallmittel: return "Antidurchfallmittel";
    case Behandlung::Antibrechmittel: return "Antibrechmittel";
    case Behandlung::Paracetamol: return "Paracetamol";
    case Behandlung::Blutdrucksenker: return "Blutdrucksenker";
    case Behandlung::Sauerstoff: return "Sauerstoff";
    case Behandlung::Defibrillation: return "Defibrillation";
    case Behandlung::OP: return "OP";
    case Behandlung::Unbelegt: break;
    }
    return nullptr;
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

std::string complicationNote(const CourseEvent &event)
{
    return "# " + std::to_string(event.step) + " " + eventLabel(event);
}

bool readComplicationNote(std::string_view line, CourseEvent &event)
{
    if (line.substr(0, 2) != "# ")
        return false;
    const char *end = line.data() + line.size();
    const auto [afterStep, error] = std::from_chars(line.data() + 2, end, event.step);
    if (error != std::errc() || event.step < 1 || afterStep == end)
        return false;
    const std::string_view name(afterStep + 1, static_cast<std::size_t>(end - afterStep - 1));
    event.value = 0;
    if (name == "Schock")
        event.kind = EventKind::ShockStart;
    else if (name == "Tod")
        event.kind = EventKind::Death;
    else if (name.substr(0, 8) == "Blutung " &&
             std::from_chars(name.data() + 8, name.data() + name.size(), event.value).ptr !=
                 name.data() + 8)
        event.kind = EventKind::BleedingRise;
    else
        return false;
    // Only the note as the game writes it, not a comment that merely begins like one.
    return complicationNote(event) == line;
}

std::string pointsNote(int step, ActionCode code, int points)
{
    const std::string sign = points > 0 ? "+" : "";
    return "# " + std::to_string(step) + " " + treatmentLabel(code) + ": " + sign +
           std::to_string(points) + " Punkte";
}

bool readPointsNote(std::string_view line, int &step, ActionCode &code, int &points)
{
    const std::size_t colon = line.rfind(": ");
    if (line.substr(0, 2) != "# " || colon == std::string_view::npos)
        return false;
    // The code stands in the label's last brackets, or after "Code ".
    std::size_t mark = line.rfind('(', colon);
    if (mark == std::string_view::npos)
        mark = line.rfind(' ', colon);
    const char *const end = line.data() + line.size();
    const char *const stepText = line.data() + 2, *const codeText = line.data() + mark + 1;
    const char *pointsText = line.data() + colon + 2;
    pointsText += colon + 2 < line.size() && *pointsText == '+';
    if (mark == std::string_view::npos || std::from_chars(stepText, end, step).ptr == stepText ||
        std::from_chars(codeText, end, code).ptr == codeText ||
        std::from_chars(pointsText, end, points).ptr == pointsText)
        return false;
    // Only the note as the game writes it.
    return pointsNote(step, code, points) == line;
}
