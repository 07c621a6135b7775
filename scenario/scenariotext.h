#pragma once

#include "scenario.h"

#include <string>
#include <string_view>

// The scenario reader's texts: an instructor's text made safe for a one-line
// message, and the condition a `when` writes as "<measure> <op> <number>".

// `text` with control bytes shown as '?', cut short after `longest` bytes.
std::string printable(std::string_view text, std::size_t longest = 60);

// The characters of UTF-8 `text` (its bytes that begin one).
std::size_t characterCount(std::string_view text);

// Whether `text` holds no control characters (no line ends, no tabs).
bool isOneLine(std::string_view text);

// Conditions compare with numbers up to this size.
constexpr double largestConditionValue = 1e9;

// Reads "circulation < 60": a measure (circulation, respiration, health,
// score), a comparison (<, <=, >, >=) and a decimal number within
// +-largestConditionValue, blanks around each or none. False for anything else.
bool readCondition(std::string_view text, Condition &condition);

// `value` as C's printf "%g" writes it, whatever the locale.
std::string decimalText(double value);
