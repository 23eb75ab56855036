// Where a line of the editor stands in a view: its number and its first
// row, in the view's coordinates. A value shown beside the line stands on
// that row's baseline.
#pragma once

namespace tallyrix {

struct LinePlace {
    int line = 0;  // from 0
    int top = 0;
    int height = 0;
    int baseline = 0;
    friend bool operator==(const LinePlace&, const LinePlace&) = default;
};

}  // namespace tallyrix
