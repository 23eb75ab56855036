// The boxes of one recalculation: a function's error of one kind is shown
// once, however often the document raises it. A document of a hundred
// thousand overflowing powers would otherwise hold the user in as many boxes.
#pragma once

#include <string>
#include <vector>

namespace tallyrix {

class TMathBoxesShown {
public:
    void Clear() { Shown.clear(); }
    // Whether this function and kind have not been shown since Clear; they
    // count as shown from now on.
    bool FirstTime(const char* function, const char* kind);

private:
    std::vector<std::string> Shown;  // "function kind", a few at most
};

}  // namespace tallyrix
