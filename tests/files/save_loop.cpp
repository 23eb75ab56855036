// Saves one document over and over, each time a new generation, until it is
// killed: the victim of the interrupted-save test. After each completed save
// it writes one byte to standard output, without ever waiting for the reader,
// so that the test can kill it during a save rather than at a guessed moment.
//   save_loop PATH FIRST-GENERATION
#include <fcntl.h>
#include <unistd.h>

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
    fcntl(STDOUT_FILENO, F_SETFL, fcntl(STDOUT_FILENO, F_GETFL) | O_NONBLOCK);
    for (long generation = std::atol(argv[2]);; ++generation) {
        tallyrix::WriteCalcDocument(argv[1], tallyrix::test::SaveLoopDocument(generation), tallyrix::TextFormat{});
        const char saved = '.';
        [[maybe_unused]] const ssize_t ignored =
            write(STDOUT_FILENO, &saved, 1);  // a full pipe loses a mark, never a save
    }
}
