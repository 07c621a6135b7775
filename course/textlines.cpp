#include "textlines.h"

std::string printableName(std::string_view name)
{
    std::string result(name);
    for (char &c : result) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7f)
            c = '?';
    }
    return result;
}

LineResult readLine(std::istream &in, std::string &line)
{
    line.clear();
    char c;
    bool any = false;
    while (in.get(c)) {
        any = true;
        if (c == '\n')
            return LineResult::Line;
        if (line.size() == maxLineLength)
            return LineResult::TooLong;
        line += c;
    }
    return any ? LineResult::Line : LineResult::End;
}
