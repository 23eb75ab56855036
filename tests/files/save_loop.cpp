// Saves one document over and over, each time a new generation, until it is
// killed: the victim of the interrupted-save test.
//   save_loop PATH FIRST-GENERATION
#include <cstdlib>
#include <iostream>

#include "files/CalcDocumentFile.h"
#include "tests/files/SaveLoopDocument.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: save_loop PATH FIRST-GENERATION\n";
        return 2;
    }
    for (long generation = std::atol(argv[2]);; ++generation) {
        tallyrix::WriteCalcDocument(argv[1], tallyrix::test::SaveLoopDocument(generation),
                                    tallyrix::TextFormat{});
    }
}
