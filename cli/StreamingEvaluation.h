// One evaluation of a whole document, streamed: the statement text is
// extracted and evaluated a piece at a time, each piece cut after a ";", and
// the lines of each piece are written as soon as it is evaluated. Lines
// that need no extraction are evaluated where they stand in the document. Memory
// stays that of one piece however long the document, and the output is the
// same, byte for byte, as that of one evaluation of the whole text.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CalcOptions.h"
#include "cli/TextOutput.h"

namespace tallyrix::cli {

// Bytes of statement text per piece: large enough that a piece's lines go
// out in large blocks, small enough to stay in the cache and that little is
// left to write and to compile ahead when the evaluation moves on.
inline constexpr std::size_t DefaultPieceSize = 1 << 17;

// The document is read in place, not copied, where its lines need no
// extraction; for the time of one piece's evaluation the byte after the
// piece is replaced by the engine's end marker, so the document must be
// writable (it is unchanged afterwards).
// Writes the value lines (or with options.variables the variable lines),
// the message line and "=" with the result to out, and the reports of the
// mathematical functions to err. Returns whether the evaluation ended with a
// message. An EngineFailure (or any other exception) out of the engine
// passes through after the lines of the statements before it are written.
// Stops early, without the final lines, once out has failed.
bool StreamDocument(std::span<char> document, const CalcOptions& options,
                    const std::vector<std::string>& registeredLines, TextOutput& out, TextOutput& err,
                    std::size_t pieceSize = DefaultPieceSize);

}  // namespace tallyrix::cli
