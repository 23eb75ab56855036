// Writes a streamed evaluation's output: the "N: value" lines of the values
// the engine hands over as numbers, text already formatted (variable lines)
// and the reports of the mathematical functions, in the order given. With a
// thread of its own, the formatting and writing of one piece overlaps the
// evaluation of the next; without, each piece is written as it is given.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "cli/TextOutput.h"

namespace tallyrix::cli {

class ValueLineWriter {
public:
    // While the writer lives, out and err are its own: the caller writes to
    // them only after Drain. grouped: the values are written with their digits
    // grouped. The thread is kept off evaluationProcessor (-1: anywhere).
    ValueLineWriter(TextOutput& out, TextOutput& err, bool threaded, bool grouped = false,
                    int evaluationProcessor = -1);
    ~ValueLineWriter();
    ValueLineWriter(const ValueLineWriter&) = delete;
    ValueLineWriter& operator=(const ValueLineWriter&) = delete;

    // Takes over text, then the values numbered from first on, then the
    // reports; the three are left empty (the vector with a capacity to reuse).
    void Submit(std::string& text, std::vector<double>& values, std::int32_t first, std::string& reports);
    // Waits until everything given is written; throws what writing threw.
    void Drain();
    // False once out has failed (or writing threw): nothing more need be given.
    bool Good();

private:
    struct Piece {
        std::string text;
        std::vector<double> values;
        std::int32_t first = 0;
        std::string reports;
    };
    void Write(Piece& piece);
    void WriteLines(std::string_view lines);
    void Run();

    TextOutput& Out;
    TextOutput& Err;
    const bool Grouped;
    const int EvaluationProcessor;
    std::unique_ptr<char[]> Lines;  // room for the lines of one piece, written in one go
    std::size_t LinesRoom = 0;
    // Shared with the thread, under Lock.
    std::mutex Lock;
    std::condition_variable Changed;
    std::deque<Piece> Queue;
    std::vector<std::vector<double>> Spare;
    bool Busy = false;  // the thread is writing a piece
    bool Failed = false;
    bool Stopping = false;
    std::exception_ptr Thrown;
    std::thread Thread;
};

}  // namespace tallyrix::cli
