#include "cli/StreamingEvaluation.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "cli/DocumentEvaluation.h"
#include "cli/PieceCompiler.h"
#include "cli/ProcessorPlacement.h"
#include "cli/ValueLineWriter.h"
#include "document/StatementExtraction.h"
#include "engine/DigitGrouping.h"
#include "engine/Eval.h"

namespace tallyrix::cli {

namespace {

class PieceEvaluation {
public:
    // threaded: the value lines are formatted and written on a thread of
    // their own, while the next piece is evaluated. compileAhead: the
    // pieces' common statements are compiled on another while the piece
    // before them is evaluated.
    PieceEvaluation(const CalcOptions& options, const std::vector<std::string>& registeredLines, TextOutput& out,
                    TextOutput& err, bool threaded, bool compileAhead)
        : Engine(ReporterInto(Reports)),
          KeptEntries(PrepareEvaluator(Engine, options, registeredLines)),
          Variables(options.variables),
          Grouped(options.grouped),
          Out(out),
          Writer(out, err, threaded, options.grouped, EvaluationProcessor),
          CompileAhead(compileAhead)
    {
        // Without the variable lines, the values are formatted by Writer.
        Engine.DeferStatementValues = !Variables;
    }

    bool Run(std::span<char> document, std::size_t pieceSize);

private:
    void Start(bool evaluated);
    // Evaluates the pieces, until the end or until out has failed.
    void EvaluatePieces(std::span<char> document, std::size_t pieceSize);
    // Hands the engine what was compiled for the piece [begin, end), which
    // the next one follows up to next (npos: none), and has that compiled.
    void UseCompiled(std::size_t begin, std::size_t end, std::size_t next);
    // Extracts further lines into text and evaluates it up to its last ";",
    // or all of it at the end; returns whether evaluation goes on.
    bool EvaluateExtracted(StatementReader& reader, std::string& text, std::size_t pieceSize);
    // Evaluates text[begin, end) followed by "@", which replaces the byte at
    // end for the time of the evaluation; returns whether evaluation goes on.
    bool EvaluatePiece(std::span<char> text, std::size_t begin, std::size_t end);
    // The same on a string, which gets a blank when it ends at end.
    bool EvaluatePiece(std::string& text, std::size_t begin, std::size_t end);
    void CountStatementStoppedAtFirstToken();
    void WritePieceLines();
    void Finish();

    std::string Reports;
    Evaluator Engine;
    const int KeptEntries;
    const bool Variables;
    const bool Grouped;
    TextOutput& Out;
    // The helping threads are kept off the processor the evaluation starts on.
    const int EvaluationProcessor = CurrentProcessor();
    ValueLineWriter Writer;  // out and err are its own until it is drained
    const bool CompileAhead;
    std::size_t BaseLines = 0;     // VariableList lines of pi and the registered constants
    std::size_t BaseTextSize = 0;  // and their bytes
    int Completed = 0;             // statements with a value so far
    bool FirstPiece = true;        // no piece evaluated yet
    std::optional<PieceCompiler> Compiler;
    std::size_t CompilerPieces = 0;  // pieces that have entered it
};

// The lines from position on that the engine reads as they stand, at least
// about pieceSize bytes of them, and the end of the piece cut from them
// after their last ";", or npos when they hold no whole piece.
struct VerbatimRun {
    std::size_t linesEnd = 0;
    std::size_t pieceEnd = std::string_view::npos;
};

VerbatimRun NextVerbatimRun(std::string_view whole, std::size_t position, std::size_t pieceSize)
{
    const std::size_t end = VerbatimLinesEnd(whole, position, pieceSize);
    const std::size_t cut = whole.substr(0, end).rfind(';');
    const bool cutHere = cut != std::string_view::npos && cut >= position && cut + 1 < whole.size();
    return {end, cutHere ? cut + 1 : std::string_view::npos};
}

// The position of the last ";" at or after from, or npos.
std::size_t LastSeparator(const std::string& text, std::size_t from)
{
    const std::size_t found = std::string_view(text).substr(from).rfind(';');
    return found == std::string_view::npos ? found : from + found;
}

bool HoldsEndMarker(const std::string& text, std::size_t from)
{
    return std::memchr(text.data() + from, '@', text.size() - from) != nullptr;
}

bool PieceEvaluation::Run(std::span<char> document, std::size_t pieceSize)
{
    // A document without lines is not evaluated, as in the window.
    Start(!document.empty());
    if (!document.empty()) EvaluatePieces(document, pieceSize);
    Writer.Drain();
    // A failed output ends the run without the final lines.
    if (Out) Finish();
    return !Engine.MessageText.empty();
}

void PieceEvaluation::Start(bool evaluated)
{
    if (evaluated) Engine.ResetVariables(KeptEntries);
    BaseLines = Engine.VariableList.size();
    BaseTextSize = Engine.VariableList.Text().size();
    if (Variables) {
        std::string lines(Engine.VariableList.Text());
        std::string noReports;
        Writer.Submit(lines, Engine.StatementValues, 0, noReports);
    }
    // The lines of the document's stores are built only to be printed.
    Engine.RecordVariableLines = Variables;
}

void PieceEvaluation::EvaluatePieces(std::span<char> document, std::size_t pieceSize)
{
    const std::string_view whole(document.data(), document.size());
    std::string text;          // statement text carried over to the next piece
    std::size_t position = 0;  // where the document's unevaluated text begins, when nothing is carried
    StatementReader reader(whole);
    if (CompileAhead) Compiler.emplace(whole, EvaluationProcessor);
    // The piece after the one evaluated, cut before the byte it begins with
    // became that one's end marker: the compiling thread works on it.
    VerbatimRun ahead{};
    bool aheadCut = false;
    while (Writer.Good()) {
        if (text.empty()) {
            // Lines the engine reads as their statement text are handed to it
            // where they stand, up to the last ";" among them.
            const VerbatimRun run = aheadCut ? ahead : NextVerbatimRun(whole, position, pieceSize);
            aheadCut = false;
            if (run.pieceEnd != std::string_view::npos) {
                if (Compiler) {
                    ahead = NextVerbatimRun(whole, run.pieceEnd, pieceSize);
                    aheadCut = true;
                    UseCompiled(position, run.pieceEnd, ahead.pieceEnd);
                }
                const bool goOn = EvaluatePiece(document, position, run.pieceEnd);
                position = run.pieceEnd;
                if (!goOn) break;
                continue;
            }
            const std::size_t end = run.linesEnd;
            // Room for a piece and what a cut carries over, set aside only
            // for a document that needs it, and no more than the rest of it.
            text.reserve(std::min(pieceSize + pieceSize / 4, whole.size() - position + 2));
            text.assign(whole.substr(position, end - position));
            reader = StatementReader(whole, end);
        }
        if (!EvaluateExtracted(reader, text, pieceSize)) break;
        // Only blanks carried: the next piece can again start in the document.
        if (text.find_first_not_of(" \t\n") == std::string::npos) {
            text.clear();
            position = reader.Position();
        }
    }
}

void PieceEvaluation::UseCompiled(std::size_t begin, std::size_t end, std::size_t next)
{
    const PieceCompiler::Compiled compiled = Compiler->Enter(CompilerPieces++, begin, end, next);
    if (compiled.statements != nullptr) Engine.UseCompiled(*compiled.statements, compiled.count);
}

bool PieceEvaluation::EvaluateExtracted(StatementReader& reader, std::string& text, std::size_t pieceSize)
{
    const std::size_t before = text.size();
    bool more = reader.AppendTo(text, std::max(pieceSize, before + 1));
    // The engine ends at an "@" anywhere: nothing after it may be cut into a
    // piece of its own.
    more = more && !HoldsEndMarker(text, before);
    if (!more) {
        text += ";@";
        EvaluatePiece(text, 0, text.size() - 1);
        return false;
    }
    // A cut right after a ";" leaves every statement whole: the rest of the
    // text begins with the next statement. What came before holds no ";".
    const std::size_t cut = LastSeparator(text, before);
    if (cut == std::string::npos) return true;
    const bool goOn = EvaluatePiece(text, 0, cut + 1);
    text.erase(0, cut + 1);
    return goOn;
}

bool PieceEvaluation::EvaluatePiece(std::span<char> text, std::size_t begin, std::size_t end)
{
    const char replaced = text[end];
    text[end] = '@';
    // The count the whole text would have reached: every statement before
    // this piece completed with a value.
    Engine.StatementCount = Completed;
    try {
        Engine.Evaluate(std::string_view(text.data() + begin, end + 1 - begin));
    } catch (...) {
        // The lines before the failure are out before it is reported.
        WritePieceLines();
        Writer.Drain();
        throw;
    }
    text[end] = replaced;
    CountStatementStoppedAtFirstToken();
    const std::size_t values = Engine.ExpressionValues.size() + Engine.StatementValues.size();
    WritePieceLines();
    Completed += static_cast<int>(values);
    return Engine.MessageText.empty() && Writer.Good();
}

void PieceEvaluation::CountStatementStoppedAtFirstToken()
{
    // A rejected literal as the first token of a piece stops the engine
    // before it counts a statement. In the whole text a ";" of an earlier
    // piece stands before it, so the statement it begins counts there.
    const bool countRaised = Engine.StatementCount != Completed;
    if (!FirstPiece && !countRaised && !Engine.MessageText.empty()) ++Engine.StatementCount;
    FirstPiece = false;
}

bool PieceEvaluation::EvaluatePiece(std::string& text, std::size_t begin, std::size_t end)
{
    if (end == text.size()) text += ' ';
    return EvaluatePiece(std::span<char>(text.data(), text.size()), begin, end);
}

void PieceEvaluation::WritePieceLines()
{
    // The values, numbered on from the statements of the pieces before.
    std::string lines;
    if (Variables) lines.assign(Engine.VariableList.Text().substr(BaseTextSize));
    Writer.Submit(lines, Engine.StatementValues, Completed + 1, Reports);
    // Only this piece's stores are kept, whichever list is printed.
    Engine.VariableList.truncate(BaseLines);
}

void PieceEvaluation::Finish()
{
    std::string end;
    AppendOutcomeEnd(Engine, Grouped, end);
    Out << end;
}

}  // namespace

bool StreamDocument(std::span<char> document, const CalcOptions& options,
                    const std::vector<std::string>& registeredLines, TextOutput& out, TextOutput& err,
                    std::size_t pieceSize)
{
    // A thread pays only when a piece can be evaluated while one is written
    // or compiled.
    const bool pieces = document.size() > pieceSize;
    PieceEvaluation evaluation(options, registeredLines, out, err, !options.variables && pieces, pieces);
    return evaluation.Run(document, pieceSize);
}

}  // namespace tallyrix::cli
