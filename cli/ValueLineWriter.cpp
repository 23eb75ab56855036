#include "cli/ValueLineWriter.h"

#include <charconv>
#include <utility>

#include "cli/ProcessorPlacement.h"
#include "engine/DigitGrouping.h"
#include "engine/Eval.h"

namespace tallyrix::cli {

namespace {

// Pieces given but not yet written: the evaluation runs at most this far
// ahead of the writing, which bounds the memory they hold.
constexpr std::size_t MaxQueued = 8;
// "-2147483648: " and a formatted value with its line feed.
constexpr std::size_t MaxLineSize = 13 + FormatBufferSize + 1;

// Writes the lines from begin on, which has room for MaxLineSize bytes a
// value, and returns their length.
std::size_t PutValueLines(const std::vector<double>& values, std::int32_t first, char* const begin)
{
    std::size_t used = 0;
    std::int32_t number = first;
    for (const double value : values) {
        char* p = std::to_chars(begin + used, begin + used + 12, number++).ptr;
        *p++ = ':';
        *p++ = ' ';
        p += FormatNumberTo(value, p);
        *p++ = '\n';
        used = static_cast<std::size_t>(p - begin);
    }
    return used;
}

}  // namespace

ValueLineWriter::ValueLineWriter(TextOutput& out, TextOutput& err, bool threaded, bool grouped, int evaluationProcessor)
    : Out(out), Err(err), Grouped(grouped), EvaluationProcessor(evaluationProcessor)
{
    if (threaded) Thread = std::thread(&ValueLineWriter::Run, this);
}

ValueLineWriter::~ValueLineWriter()
{
    if (!Thread.joinable()) return;
    {
        const std::lock_guard<std::mutex> guard(Lock);
        Stopping = true;
    }
    Changed.notify_all();
    Thread.join();
}

void ValueLineWriter::Submit(std::string& text, std::vector<double>& values, std::int32_t first, std::string& reports)
{
    Piece piece{std::move(text), {}, first, std::move(reports)};
    piece.values.swap(values);
    text.clear();
    reports.clear();
    if (!Thread.joinable()) {
        Write(piece);
        values.swap(piece.values);
        values.clear();
        return;
    }
    std::unique_lock<std::mutex> guard(Lock);
    Changed.wait(guard, [this] { return Queue.size() < MaxQueued; });
    if (!Spare.empty()) {
        values.swap(Spare.back());
        Spare.pop_back();
    }
    Queue.push_back(std::move(piece));
    guard.unlock();
    Changed.notify_all();
}

void ValueLineWriter::Drain()
{
    std::unique_lock<std::mutex> guard(Lock);
    // Also after a failure: the thread must be done with out and err.
    Changed.wait(guard, [this] { return Queue.empty() && !Busy; });
    if (Thrown) std::rethrow_exception(std::exchange(Thrown, nullptr));
}

bool ValueLineWriter::Good()
{
    if (!Thread.joinable()) return static_cast<bool>(Out);
    const std::lock_guard<std::mutex> guard(Lock);
    return !Failed;
}

void ValueLineWriter::Write(Piece& piece)
{
    WriteLines(piece.text);
    // The room only ever grows and is never cleared: only the pages
    // written are touched.
    const std::size_t needed = piece.values.size() * MaxLineSize;
    if (LinesRoom < needed) {
        Lines = std::make_unique_for_overwrite<char[]>(needed);
        LinesRoom = needed;
    }
    const std::size_t used = PutValueLines(piece.values, piece.first, Lines.get());
    WriteLines(std::string_view(Lines.get(), used));
    Err << piece.reports;
}

void ValueLineWriter::WriteLines(std::string_view lines)
{
    if (Grouped) {
        const std::string grouped = GroupLineValues(lines);
        Out << grouped;
    } else {
        Out << lines;
    }
}

void ValueLineWriter::Run()
{
    StayOffProcessor(EvaluationProcessor);
    std::unique_lock<std::mutex> guard(Lock);
    while (true) {
        Changed.wait(guard, [this] { return !Queue.empty() || Stopping; });
        if (Queue.empty()) return;
        Piece piece = std::move(Queue.front());
        Queue.pop_front();
        Busy = true;
        guard.unlock();
        bool good = false;
        std::exception_ptr thrown;
        try {
            Write(piece);
            good = static_cast<bool>(Out);
        } catch (...) {
            thrown = std::current_exception();
        }
        piece.values.clear();
        guard.lock();
        Busy = false;
        Failed = Failed || !good;
        if (thrown) Thrown = thrown;
        Spare.push_back(std::move(piece.values));
        Changed.notify_all();
    }
}

}  // namespace tallyrix::cli
