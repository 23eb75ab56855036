// The size of one pane of a two-pane splitter, the other taking the rest.
#pragma once

class QSplitter;

namespace tallyrix {

// The other pane is never asked for 0, which would collapse it: before the
// first layout the splitter knows no rest, and its stretching pane takes
// whatever is left once it has one. A size of 0 hides the pane itself.
void SetPaneSize(QSplitter* splitter, int index, int size);

}  // namespace tallyrix
