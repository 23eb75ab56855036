#include "document/MathBoxesShown.h"

#include <algorithm>

namespace tallyrix {

bool TMathBoxesShown::FirstTime(const char* function, const char* kind)
{
    std::string key = std::string(function) + ' ' + kind;
    if (std::find(Shown.begin(), Shown.end(), key) != Shown.end()) return false;
    Shown.push_back(std::move(key));
    return true;
}

}  // namespace tallyrix
