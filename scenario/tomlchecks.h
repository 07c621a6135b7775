#pragma once

// The checks every value of a scenario file passes, on the document toml++
// has read: each key known, each value of its type and within its range, and
// the first problem in the file kept as one line "NAME:LINE:COLUMN: what".
// Only scenariofile.cpp includes this, so that toml++, used header-only, is
// compiled once.

#include "scenariotext.h"

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#define TOML_EXCEPTIONS 0
#define TOML_ENABLE_FORMATTERS 0
#include <toml++/toml.h>

using Keys = std::initializer_list<std::string_view>;

inline const char *typeName(const toml::node &node)
{
    switch (node.type()) {
    case toml::node_type::table: return "a table";
    case toml::node_type::array: return "an array";
    case toml::node_type::string: return "a string";
    case toml::node_type::integer: return "an integer";
    case toml::node_type::floating_point: return "a float";
    case toml::node_type::boolean: return "a boolean";
    default: return "a date or time";
    }
}

// A table of the document and the dotted name messages give its keys.
struct Section {
    const toml::table &table;
    std::string path; // "" for the document, else "random." and the like

    std::string named(std::string_view key) const { return "'" + path + printable(key) + "'"; }
    const toml::node *get(std::string_view key) const { return table.get(key); }
};

// Each check takes the section and the key of a value, reports a problem
// with it, and leaves the result as it was unless the value is good. A
// missing key is no problem.
class TomlChecks
{
  public:
    // `name` stands for the file in messages.
    explicit TomlChecks(const std::string &name) : name(printable(name, 4096)) {}

    // The first problem in the file, or "".
    const std::string &problem() const { return first; }
    int problemCount() const { return problems; }

    void fail(toml::source_position where, const std::string &what);
    void fail(const toml::node &node, const std::string &what) { fail(node.source().begin, what); }
    void onlyKnown(const Section &s, Keys keys);
    // The table at `key`, its keys checked; none when it is missing or no table.
    std::optional<Section> table(const Section &s, std::string_view key, Keys keys);
    // The array of tables at `key`, of at most `most`.
    const toml::array *tables(const Section &s, std::string_view key, std::size_t most);
    template <typename T>
    const toml::value<T> *value(const Section &s, std::string_view key, const char *expected);
    bool integer(const Section &s, std::string_view key, long long lo, long long hi,
                 long long &result);
    void integer(const Section &s, std::string_view key, long long lo, long long hi, int &result);
    // An integer or a float; nan and inf fail the range.
    template <typename Number>
    void decimal(const Section &s, std::string_view key, double lo, double hi, Number &result);
    void boolean(const Section &s, std::string_view key, bool &result);
    // One line of printable text.
    void line(const Section &s, std::string_view key, std::string &result);
    // A string that must be `yes` or `no`: true for `yes`, none when missing or wrong.
    std::optional<bool> either(const Section &s, std::string_view key, const char *yes,
                               const char *no);

  private:
    std::string name;
    std::string first;
    toml::source_position firstAt{};
    int problems = 0;
};

inline void TomlChecks::fail(toml::source_position where, const std::string &what)
{
    where.line = std::max<toml::source_index>(where.line, 1);
    where.column = std::max<toml::source_index>(where.column, 1);
    ++problems;
    if (first.empty() || where < firstAt) {
        firstAt = where;
        first = name + ":" + std::to_string(where.line) + ":" + std::to_string(where.column) +
                ": " + what;
    }
}

inline void TomlChecks::onlyKnown(const Section &s, Keys keys)
{
    for (const auto &[key, node] : s.table) {
        bool known = false;
        for (const std::string_view k : keys)
            known = known || key.str() == k;
        if (!known)
            fail(key.source().begin, "unknown key " + s.named(key.str()));
    }
}

inline std::optional<Section> TomlChecks::table(const Section &s, std::string_view key, Keys keys)
{
    const toml::node *node = s.get(key);
    if (node && !node->is_table())
        fail(*node, s.named(key) + " must be a table, not " + typeName(*node));
    if (!node || !node->is_table())
        return std::nullopt;
    const Section section{*node->as_table(), s.path + std::string(key) + "."};
    onlyKnown(section, keys);
    return section;
}

const toml::array *TomlChecks::tables(const Section &s, std::string_view key, std::size_t most)
{
    const toml::node *node = s.get(key);
    if (!node)
        return nullptr;
    const toml::array *array = node->as_array();
    if (!array || !array->is_array_of_tables()) {
        fail(*node,
             s.named(key) + " must be an array of tables ([[" + s.path + std::string(key) + "]])");
        return nullptr;
    }
    if (array->size() > most) {
        fail((*array)[most], "more than " + std::to_string(most) + " " + s.named(key) + " tables");
        return nullptr;
    }
    return array;
}

template <typename T>
const toml::value<T> *TomlChecks::value(const Section &s, std::string_view key,
                                        const char *expected)
{
    const toml::node *node = s.get(key);
    const toml::value<T> *v = node ? node->as<T>() : nullptr;
    if (node && !v)
        fail(*node, s.named(key) + " must be " + expected + ", not " + typeName(*node));
    return v;
}

inline bool TomlChecks::integer(const Section &s, std::string_view key, long long lo, long long hi,
                                long long &result)
{
    const auto *v = value<int64_t>(s, key, "an integer");
    if (!v)
        return false;
    if (v->get() < lo || v->get() > hi) {
        fail(*v, s.named(key) + " must lie between " + std::to_string(lo) + " and " +
                     std::to_string(hi) + ", not " + std::to_string(v->get()));
        return false;
    }
    result = v->get();
    return true;
}

inline void TomlChecks::integer(const Section &s, std::string_view key, long long lo, long long hi,
                                int &result)
{
    long long read = 0;
    if (integer(s, key, lo, hi, read))
        result = static_cast<int>(read);
}

template <typename Number>
inline void TomlChecks::decimal(const Section &s, std::string_view key, double lo, double hi,
                                Number &result)
{
    const toml::node *node = s.get(key);
    if (!node)
        return;
    const std::optional<double> v = node->value<double>();
    if (!node->is_number())
        fail(*node, s.named(key) + " must be a number, not " + typeName(*node));
    else if (!(*v >= lo && *v <= hi))
        fail(*node, s.named(key) + " must lie between " + decimalText(lo) + " and " +
                        decimalText(hi) + ", not " + decimalText(*v));
    else
        result = static_cast<Number>(*v);
}

inline void TomlChecks::boolean(const Section &s, std::string_view key, bool &result)
{
    if (const auto *v = value<bool>(s, key, "true or false"))
        result = v->get();
}

inline void TomlChecks::line(const Section &s, std::string_view key, std::string &result)
{
    const auto *v = value<std::string>(s, key, "a string");
    if (v &&
        (v->get().empty() || !isOneLine(v->get()) || characterCount(v->get()) > maxTextCharacters))
        fail(*v, s.named(key) + " must be one line of 1 to " + std::to_string(maxTextCharacters) +
                     " characters without tabs");
    else if (v)
        result = v->get();
}

inline std::optional<bool> TomlChecks::either(const Section &s, std::string_view key,
                                              const char *yes, const char *no)
{
    const auto *v = value<std::string>(s, key, "a string");
    if (v && v->get() != yes && v->get() != no)
        fail(*v, s.named(key) + " must be \"" + yes + "\" or \"" + no + "\", not \"" +
                     printable(v->get()) + "\"");
    return v && (v->get() == yes || v->get() == no) ? std::optional<bool>(v->get() == yes)
                                                    : std::nullopt;
}
