#include "scenarionote.h"

#include "textlines.h"

#include <QByteArray>
#include <QCryptographicHash>

namespace
{

constexpr std::string_view builtInLine = "# Scenario: built-in fracture";
constexpr std::string_view titleKey = "# Scenario title: ";
constexpr std::string_view fileKey = "# Scenario file: ";
constexpr std::string_view hashKey = "# Scenario SHA-256: ";
constexpr std::size_t longestText = 200;

// One line of text in at most longestText bytes, cut between characters.
std::string oneLine(const std::string &text)
{
    std::string line = printableName(text);
    if (line.size() > longestText) {
        std::size_t cut = longestText;
        while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xc0) == 0x80)
            --cut;
        line = line.substr(0, cut) + "...";
    }
    return line;
}

bool startsWith(std::string_view line, std::string_view key)
{
    return line.substr(0, key.size()) == key;
}

} // namespace

std::string ScenarioNote::lines() const
{
    if (builtIn())
        return std::string(builtInLine) + "\n";
    return std::string(titleKey) + oneLine(title) + "\n" + std::string(fileKey) + oneLine(file) +
           "\n" + std::string(hashKey) + hash + "\n";
}

bool ScenarioNote::read(std::string_view line)
{
    if (line == builtInLine) {
        *this = ScenarioNote();
        return true;
    }
    for (const auto &[key, field] :
         {std::pair(titleKey, &title), std::pair(fileKey, &file), std::pair(hashKey, &hash)})
        if (startsWith(line, key)) {
            *field = std::string(line.substr(key.size()));
            return true;
        }
    return false;
}

std::string scenarioHash(std::string_view bytes)
{
    const QByteArray data(bytes.data(), static_cast<int>(bytes.size()));
    return QCryptographicHash::hash(data, QCryptographicHash::Sha256)
        .toHex()
        .left(12)
        .toStdString();
}
