#include "cli/PieceCompiler.h"

#include <pthread.h>
#include <sched.h>

#include <bit>
#include <utility>

#include "cli/ProcessorPlacement.h"

namespace tallyrix::cli {

PieceCompiler::PieceCompiler(std::string_view document, int evaluationProcessor)
    : Document(document), EvaluationProcessor(evaluationProcessor), Thread(&PieceCompiler::Run, this)
{
}

PieceCompiler::~PieceCompiler()
{
    {
        const std::lock_guard<std::mutex> guard(Lock);
        Stopping = true;
        // As if the evaluation were past every piece: the thread stops
        // compiling the one it is at.
        EnteredIndex.store(static_cast<std::size_t>(-2), std::memory_order_release);
    }
    Changed.notify_all();
    Thread.join();
}

PieceCompiler::Compiled PieceCompiler::Enter(std::size_t index, std::size_t begin, std::size_t end, std::size_t next)
{
    Compiled compiled;
    {
        const std::lock_guard<std::mutex> guard(Lock);
        EnteredIndex.store(index, std::memory_order_release);
        const Slot& slot = Slots[index % 2];
        if (slot.piece.index == index && slot.piece.begin == begin && slot.piece.end == end) {
            compiled = {&slot.statements, slot.published.load(std::memory_order_acquire)};
        }
        NextGiven = next != std::string_view::npos;
        Next = {index + 1, end, next};
    }
    Changed.notify_all();
    return compiled;
}

void PieceCompiler::AwaitNext()
{
    std::unique_lock<std::mutex> guard(Lock);
    Changed.wait(guard, [this] { return !NextGiven && !Busy; });
}

void PieceCompiler::Run()
{
    // Only a processor that would otherwise idle compiles: the evaluation
    // and the writing of its lines come first, and a third thread that
    // takes turns with either on a processor costs more than it saves.
    sched_param idle{};
    pthread_setschedparam(pthread_self(), SCHED_IDLE, &idle);
    StayOffProcessor(EvaluationProcessor);
    std::unique_lock<std::mutex> guard(Lock);
    while (true) {
        Changed.wait(guard, [this] { return Stopping || NextGiven; });
        if (Stopping) return;
        const Piece piece = Next;
        NextGiven = false;
        Busy = true;
        guard.unlock();
        CompilePiece(piece);
        guard.lock();
        Busy = false;
        Changed.notify_all();
    }
}

void PieceCompiler::CompilePiece(const Piece& piece)
{
    // The slot was the evaluation's two pieces before, which it has left.
    Slot& slot = Slots[piece.index % 2];
    // The piece's text as the evaluation is given it: up to its end marker.
    const std::string_view text = Document.substr(piece.begin, piece.end + 1 - piece.begin);
    // Room to the next power of two, so that the pieces, of about one size,
    // find it set aside and its pages in use already (room not used costs
    // no memory).
    slot.statements.Prepare(std::bit_ceil(text.size()));
    slot.published.store(0, std::memory_order_relaxed);
    {
        const std::lock_guard<std::mutex> guard(Lock);
        slot.piece = piece;
    }
    // The first statement of a piece is read by the general grammar.
    for (std::size_t start = CompiledStatements::NextStart(text, 1);
         start != std::string_view::npos && !Entered(piece.index); start = CompiledStatements::NextStart(text, start)) {
        if (slot.statements.Compile(text, start)) {
            slot.published.store(slot.statements.Count(), std::memory_order_release);
        }
    }
}

}  // namespace tallyrix::cli
