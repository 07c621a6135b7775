#include "scenariotext.h"

#include <charconv>
#include <cmath>
#include <locale>
#include <sstream>

std::string printable(std::string_view text, std::size_t longest)
{
    std::string result;
    for (const char c : text.substr(0, longest)) {
        const auto byte = static_cast<unsigned char>(c);
        result += byte < 0x20 || byte == 0x7f ? '?' : c;
    }
    if (text.size() > longest)
        result += "...";
    return result;
}

std::size_t characterCount(std::string_view text)
{
    std::size_t count = 0;
    for (const char c : text)
        count += (static_cast<unsigned char>(c) & 0xc0) != 0x80;
    return count;
}

bool isOneLine(std::string_view text)
{
    for (const char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            return false;
    return true;
}

std::string decimalText(double value)
{
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text << value;
    return text.str();
}

namespace
{

void skipBlanks(std::string_view &text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
}

bool takeWord(std::string_view &text, std::string_view word)
{
    if (text.substr(0, word.size()) != word)
        return false;
    text.remove_prefix(word.size());
    return true;
}

bool readMeasure(std::string_view &text, Measure &measure)
{
    const std::pair<std::string_view, Measure> names[] = {{"circulation", Measure::Circulation},
                                                          {"respiration", Measure::Respiration},
                                                          {"health", Measure::Health},
                                                          {"score", Measure::Score}};
    for (const auto &[name, value] : names)
        if (takeWord(text, name)) {
            measure = value;
            return true;
        }
    return false;
}

// The two-character comparisons come first, so that "<=" is not read as "<".
bool readComparison(std::string_view &text, Comparison &comparison)
{
    const std::pair<std::string_view, Comparison> signs[] = {{"<=", Comparison::LessOrEqual},
                                                             {">=", Comparison::GreaterOrEqual},
                                                             {"<", Comparison::Less},
                                                             {">", Comparison::Greater}};
    for (const auto &[sign, value] : signs)
        if (takeWord(text, sign)) {
            comparison = value;
            return true;
        }
    return false;
}

// A plain decimal number: an optional sign, digits, an optional fraction;
// from_chars alone would also take "inf", "nan" and exponents.
bool readNumber(std::string_view text, double &value)
{
    std::size_t i = text.substr(0, 1) == "-" || text.substr(0, 1) == "+" ? 1 : 0;
    const std::size_t digitsFrom = i;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (text[i] == '.' && !point)
            point = true;
        else if (text[i] < '0' || text[i] > '9')
            return false;
    }
    if (i - digitsFrom == (point ? 1u : 0u) || text.back() == '.' || text[digitsFrom] == '.')
        return false;
    if (text.front() == '+')
        text.remove_prefix(1);
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() &&
           std::fabs(value) <= largestConditionValue;
}

} // namespace

bool readCondition(std::string_view text, Condition &condition)
{
    Condition read;
    skipBlanks(text);
    if (!readMeasure(text, read.measure))
        return false;
    skipBlanks(text);
    if (!readComparison(text, read.comparison))
        return false;
    skipBlanks(text);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    if (text.empty() || !readNumber(text, read.value))
        return false;
    condition = read;
    return true;
}
