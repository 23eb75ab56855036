// The length of a text kept line by line, so that an edit costs the lines it
// touched rather than the whole text.
#pragma once

#include <cstddef>
#include <vector>

namespace tallyrix {

class TLineLengths {
public:
    // The lines from first on, removed of them, are replaced by lines of the
    // given lengths. Returns false, changing nothing, when the lines named
    // are not all there.
    bool Replace(std::size_t first, std::size_t removed, const std::vector<std::size_t>& lengths);
    std::size_t Lines() const { return Lengths.size(); }
    // The lines' lengths and a break of breakLength between each two.
    std::size_t Total(std::size_t breakLength) const;

private:
    std::vector<std::size_t> Lengths;
    std::size_t Sum = 0;
};

}  // namespace tallyrix
