#include "labelspread.h"

#include <algorithm>
#include <cmath>

namespace
{

struct Crowd {
    std::size_t size;
    double targetSum;
    double start; // position of its first label
};

} // namespace

std::vector<double> spreadLabels(const std::vector<double> &targets, double spacing, double low,
                                 double high)
{
    // Labels join a crowd when they would overlap it; each crowd sits centred
    // on the mean of its targets, held inside the bounds, which may in turn
    // push it into the crowd before it.
    std::vector<Crowd> crowds;
    for (const double target : targets) {
        crowds.push_back({1, target, target});
        for (;;) {
            Crowd &last = crowds.back();
            const double width = static_cast<double>(last.size - 1) * spacing;
            const double centred = last.targetSum / static_cast<double>(last.size) - width / 2;
            last.start = std::max(low, std::min(centred, high - width));
            if (crowds.size() < 2)
                break;
            const Crowd &before = crowds[crowds.size() - 2];
            if (before.start + static_cast<double>(before.size) * spacing <= last.start)
                break;
            Crowd merged = before;
            merged.size += last.size;
            merged.targetSum += last.targetSum;
            crowds.pop_back();
            crowds.back() = merged;
        }
    }
    std::vector<double> positions;
    positions.reserve(targets.size());
    for (const Crowd &crowd : crowds)
        for (std::size_t i = 0; i < crowd.size; ++i)
            positions.push_back(crowd.start + static_cast<double>(i) * spacing);
    return positions;
}

int labelCapacity(double spacing, double low, double high)
{
    if (spacing <= 0 || high < low)
        return 0;
    return static_cast<int>(std::floor((high - low) / spacing + 1e-9)) + 1;
}
