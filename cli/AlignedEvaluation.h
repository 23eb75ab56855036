// tallyrix-calc --aligned: the document's lines, each followed by a tab and
// the value of the statement ending on it, as the window's "各行の値" pane
// shows them. The document is evaluated whole, in one piece.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/CalcOptions.h"
#include "cli/TextOutput.h"

namespace tallyrix::cli {

// Writes one line per document line to out and the reports of the
// mathematical functions to err; the line the run stopped on carries the
// message line ("2; 変数名が未定義") instead of a value. Returns whether the
// evaluation ended with a message.
bool PrintAligned(std::string_view document, const CalcOptions& options,
                  const std::vector<std::string>& registeredLines, TextOutput& out, TextOutput& err);

}  // namespace tallyrix::cli
