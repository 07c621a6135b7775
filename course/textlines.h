#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <string_view>

// Reading the text files the programs are handed (scripts and course
// tables) line by line, safely whatever they hold, and naming them in
// one-line messages.

constexpr std::size_t maxLineLength = 4096;

enum class LineResult { Line, End, TooLong };

// Reads one line without its '\n'. A line longer than maxLineLength is not
// kept, so that a stream without line ends (/dev/zero) cannot exhaust memory.
LineResult readLine(std::istream &in, std::string &line);

// The name with control bytes shown as '?', for one-line messages.
std::string printableName(std::string_view name);
