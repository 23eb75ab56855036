// Compiles the common statements of the pieces ahead of the one being
// evaluated, on a thread of its own, so that the evaluation runs them
// instead of reading them: the second core does half the reading.
//
// The pieces are those of a streamed evaluation, cut before it begins. While
// a piece is evaluated, the byte after it holds the end marker, which is the
// first byte of the next piece: the thread never reads the first byte of a
// piece nor the one after it. It stops compiling a piece as soon as the
// evaluation enters it; the evaluation runs what was compiled by then.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <string_view>
#include <thread>
#include <vector>

#include "engine/CompiledStatements.h"

namespace tallyrix::cli {

class PieceCompiler {
public:
    // ends: where each piece ends, the first beginning at 0 and each
    // further one where the one before ends.
    PieceCompiler(std::string_view document, std::vector<std::size_t> ends);
    ~PieceCompiler();
    PieceCompiler(const PieceCompiler&) = delete;
    PieceCompiler& operator=(const PieceCompiler&) = delete;

    struct Compiled {
        const CompiledStatements* statements = nullptr;
        std::size_t count = 0;
    };
    // The evaluation enters its piece number index, document[begin, end):
    // what was compiled for it, unchanged until the next call.
    // The thread compiles no more of it.
    Compiled Enter(std::size_t index, std::size_t begin, std::size_t end);
    // Waits until piece index, at most one after the last entered, is
    // compiled as far as it goes (for a caller that would rather wait).
    void AwaitPiece(std::size_t index);

private:
    static constexpr std::size_t Lead = 1;  // pieces compiled ahead at most
    struct Slot {
        std::size_t index = static_cast<std::size_t>(-1);
        std::size_t begin = 0;
        std::size_t end = 0;
        CompiledStatements statements;
        std::atomic<std::size_t> published{0};
    };

    void Run();
    // Waits until piece index may be compiled; false when it never will.
    bool AwaitRoom(std::size_t index);
    void CompilePiece(std::size_t index);
    bool Entered(std::size_t index) const
    {
        return EnteredIndex.load(std::memory_order_acquire) + 1 > index;  // EnteredIndex starts at -1
    }

    const std::string_view Document;
    const std::vector<std::size_t> Ends;
    Slot Slots[Lead + 1];
    std::atomic<std::size_t> EnteredIndex{static_cast<std::size_t>(-1)};
    std::mutex Lock;
    std::condition_variable Changed;
    bool Stopping = false;
    std::size_t Done = 0;  // pieces compiled or passed over
    std::thread Thread;
};

}  // namespace tallyrix::cli
