#include "document/KeyPressMemory.h"

#include <algorithm>

namespace tallyrix {

void TKeyPressMemory::Pressed(int key)
{
    // Auto-repeat presses the same key again.
    if (std::find(Held.begin(), Held.end(), key) == Held.end()) Held.push_back(key);
}

bool TKeyPressMemory::Released(int key)
{
    const auto found = std::find(Held.begin(), Held.end(), key);
    if (found == Held.end()) return false;
    Held.erase(found);
    return true;
}

}  // namespace tallyrix
