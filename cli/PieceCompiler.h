// Compiles the common statements of the piece after the one being
// evaluated, on a thread of its own, so that the evaluation runs them
// instead of reading them: the second processor does part of the reading.
//
// While a piece is evaluated, the byte after it holds the end marker, and
// that is the first byte of the next piece: the thread never reads the first
// byte of a piece nor the one after it. It stops compiling a piece as soon
// as the evaluation enters it; the evaluation runs what was compiled by then.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <string_view>
#include <thread>

#include "engine/CompiledStatements.h"

namespace tallyrix::cli {

class PieceCompiler {
public:
    // The thread is kept off processor, the evaluation's (-1: anywhere).
    explicit PieceCompiler(std::string_view document, int evaluationProcessor = -1);
    ~PieceCompiler();
    PieceCompiler(const PieceCompiler&) = delete;
    PieceCompiler& operator=(const PieceCompiler&) = delete;

    struct Compiled {
        const CompiledStatements* statements = nullptr;
        std::size_t count = 0;
    };
    // The evaluation enters its piece number index (counted from 0 over the
    // pieces given here), document[begin, end), which the next one follows
    // up to next (npos: no piece follows). Returns what was compiled for
    // it, unchanged until the next call; the thread compiles no more of it
    // and goes on to the next.
    Compiled Enter(std::size_t index, std::size_t begin, std::size_t end, std::size_t next);
    // Waits until the piece after the one entered last is compiled as far
    // as it goes (for a caller that would rather wait).
    void AwaitNext();

private:
    struct Piece {
        std::size_t index = 0;
        std::size_t begin = 0;
        std::size_t end = 0;
    };
    // A slot on cache lines of its own, and its count on one apart: the
    // thread adds to one slot's statements and count after every statement
    // while the evaluation reads the other slot's, and lines they shared
    // went back and forth between the processors.
    struct alignas(64) Slot {
        Piece piece{static_cast<std::size_t>(-1), 0, 0};
        CompiledStatements statements;
        alignas(64) std::atomic<std::size_t> published{0};
    };

    void Run();
    void CompilePiece(const Piece& piece);
    // The evaluation has entered piece index or one after it.
    bool Entered(std::size_t index) const { return EnteredIndex.load(std::memory_order_acquire) + 1 > index; }

    const std::string_view Document;
    const int EvaluationProcessor;
    // The piece being evaluated has one, the one after it the other.
    Slot Slots[2];
    std::atomic<std::size_t> EnteredIndex{static_cast<std::size_t>(-1)};  // -1: none yet
    std::mutex Lock;
    std::condition_variable Changed;
    Piece Next;  // to compile, when NextGiven
    bool NextGiven = false;
    bool Busy = false;  // compiling
    bool Stopping = false;
    std::thread Thread;
};

}  // namespace tallyrix::cli
