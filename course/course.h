#pragma once

#include "codes.h"

#include <vector>

// What one game did to the patient, kept for drawing it: the values of every
// CSV row and the moments worth marking.

// The longest course a program plays or reads: over this many seconds every
// value of the scenario stays below 1e9.
constexpr int maxSteps = 100000;

struct CourseStep {
    int step;
    int score;
    float health;
    bool alive;
    bool shock;
    int bleedingStage;
    float circulation;
    float respiration;
    int heartRate;
    int systolic;
    int diastolic;
    float temperature;
    int respiratoryRate;
};

enum class EventKind { Treatment, ShockStart, BleedingRise, Death };

struct CourseEvent {
    int step;
    EventKind kind;
    int value; // Treatment: the code; BleedingRise: the new stage; otherwise 0
};

struct Course {
    std::vector<CourseStep> steps;   // one per scenario step, in order
    std::vector<CourseEvent> events; // in step order; treatments before the step's complications
};
