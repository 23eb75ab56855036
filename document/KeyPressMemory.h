// The keys pressed in the editor and not yet released. A release whose
// press went elsewhere, such as the Enter that closed a message box, is no
// keystroke of the editor and must not recalculate.
#pragma once

#include <vector>

namespace tallyrix {

class TKeyPressMemory {
public:
    void Pressed(int key);
    // Whether the press of key came to the editor; the key is forgotten.
    bool Released(int key);

private:
    std::vector<int> Held;  // a handful at most
};

}  // namespace tallyrix
