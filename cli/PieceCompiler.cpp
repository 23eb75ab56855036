#include "cli/PieceCompiler.h"

#include <pthread.h>
#include <sched.h>

#include <iterator>
#include <utility>

namespace tallyrix::cli {

PieceCompiler::PieceCompiler(std::string_view document, std::vector<std::size_t> ends)
    : Document(document), Ends(std::move(ends)), Thread(&PieceCompiler::Run, this)
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

PieceCompiler::Compiled PieceCompiler::Enter(std::size_t index, std::size_t begin, std::size_t end)
{
    Compiled compiled;
    {
        const std::lock_guard<std::mutex> guard(Lock);
        EnteredIndex.store(index, std::memory_order_release);
        const Slot& slot = Slots[index % std::size(Slots)];
        if (slot.index == index && slot.begin == begin && slot.end == end) {
            compiled = {&slot.statements, slot.published.load(std::memory_order_acquire)};
        }
    }
    Changed.notify_all();
    return compiled;
}

void PieceCompiler::AwaitPiece(std::size_t index)
{
    std::unique_lock<std::mutex> guard(Lock);
    Changed.wait(guard, [this, index] { return Done > index; });
}

void PieceCompiler::Run()
{
    // Only a processor that would otherwise idle compiles: the evaluation
    // and the writing of its lines come first, and a third thread that
    // takes turns with either on a processor costs more than it saves.
    sched_param idle{};
    pthread_setschedparam(pthread_self(), SCHED_IDLE, &idle);
    for (std::size_t index = 0; index < Ends.size() && AwaitRoom(index); ++index) {
        if (!Entered(index)) CompilePiece(index);
        {
            const std::lock_guard<std::mutex> guard(Lock);
            Done = index + 1;
        }
        Changed.notify_all();
    }
}

bool PieceCompiler::AwaitRoom(std::size_t index)
{
    std::unique_lock<std::mutex> guard(Lock);
    // At most Lead pieces ahead; the slot is then free too, the evaluation
    // having left the piece that had it before.
    Changed.wait(guard, [this, index] { return Stopping || index < Lead || Entered(index - Lead); });
    return !Stopping;
}

void PieceCompiler::CompilePiece(std::size_t index)
{
    Slot& slot = Slots[index % std::size(Slots)];
    const std::size_t begin = index == 0 ? 0 : Ends[index - 1];
    const std::size_t end = Ends[index];
    // The piece's text as the evaluation is given it: up to its end marker.
    const std::string_view text = Document.substr(begin, end + 1 - begin);
    slot.statements.Prepare(text.size());
    slot.published.store(0, std::memory_order_relaxed);
    {
        const std::lock_guard<std::mutex> guard(Lock);
        slot.index = index;
        slot.begin = begin;
        slot.end = end;
    }
    // The first statement of a piece is read by the general grammar; the
    // others begin after a ";", and each ";" ends one.
    for (std::size_t start = CompiledStatements::NextStart(text, 1); start != std::string_view::npos && !Entered(index);
         start = CompiledStatements::NextStart(text, start)) {
        if (slot.statements.Compile(text, start)) {
            slot.published.store(slot.statements.Count(), std::memory_order_release);
        }
    }
}

}  // namespace tallyrix::cli
