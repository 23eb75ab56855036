// The thread that compiles pieces ahead: what it hands over for a piece is
// every statement there that the evaluation may run from it, and the piece
// evaluates with them as it does without.
#include "cli/PieceCompiler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bench/DocumentGenerator.h"
#include "document/StatementExtraction.h"
#include "engine/Eval.h"

namespace tallyrix::cli {
namespace {

// The values of the piece document[begin, end), evaluated with the end
// marker after it, as a streamed evaluation does.
std::string PieceValues(std::string& document, std::size_t begin, std::size_t end,
                        const PieceCompiler::Compiled& compiled)
{
    Evaluator engine;
    if (compiled.statements != nullptr) engine.UseCompiled(*compiled.statements, compiled.count);
    const char replaced = document[end];
    document[end] = '@';
    engine.Evaluate(std::string_view(document).substr(begin, end + 1 - begin));
    document[end] = replaced;
    return std::string(engine.ExpressionValues.Text());
}

TEST(PieceCompiler, HandsOverTheStatementsOfEachPiece)
{
    // Assignments only: each piece evaluates on its own.
    std::string document;
    for (int i = 0; i < 300; ++i)
        document +=
            "v" + std::to_string(i % 7) + " = " + std::to_string(i) + " * 0.5 + sqrt(" + std::to_string(i) + ");\n";
    std::vector<std::size_t> ends;
    for (std::size_t at = document.find(';'), count = 1; at != std::string::npos;
         at = document.find(';', at + 1), ++count) {
        if (count % 100 == 0 && at + 1 < document.size()) ends.push_back(at + 1);
    }
    ASSERT_EQ(ends.size(), 3u);
    PieceCompiler compiler(document);
    // The first piece is entered before anything is compiled for it.
    EXPECT_EQ(compiler.Enter(0, 0, ends[0], ends[1]).count, 0u);
    for (std::size_t index = 1; index < ends.size(); ++index) {
        SCOPED_TRACE("piece " + std::to_string(index));
        const std::size_t begin = ends[index - 1];
        const std::size_t next = index + 1 < ends.size() ? ends[index + 1] : std::string::npos;
        compiler.AwaitNext();
        // Bounds other than those given are another piece: nothing for it.
        EXPECT_EQ(compiler.Enter(index, begin + 1, ends[index], next).statements, nullptr);
        const PieceCompiler::Compiled compiled = compiler.Enter(index, begin, ends[index], next);
        // Not the first, which the general grammar reads, nor the last,
        // within a literal's reach of the piece's end.
        EXPECT_EQ(compiled.count, 98u);
        EXPECT_EQ(PieceValues(document, begin, ends[index], compiled), PieceValues(document, begin, ends[index], {}));
    }
}

}  // namespace
}  // namespace tallyrix::cli
