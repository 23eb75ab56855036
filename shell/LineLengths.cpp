#include "shell/LineLengths.h"

#include <algorithm>
#include <numeric>

namespace tallyrix {

bool TLineLengths::Replace(std::size_t first, std::size_t removed, const std::vector<std::size_t>& lengths)
{
    if (first > Lengths.size() || removed > Lengths.size() - first) return false;
    const auto begin = Lengths.begin() + static_cast<std::ptrdiff_t>(first);
    const auto end = begin + static_cast<std::ptrdiff_t>(removed);
    Sum -= std::accumulate(begin, end, std::size_t{0});
    Sum += std::accumulate(lengths.begin(), lengths.end(), std::size_t{0});
    // Lines replaced one for one, the usual keystroke, move nothing.
    const std::size_t common = std::min(removed, lengths.size());
    std::copy_n(lengths.begin(), common, begin);
    if (removed > common) {
        Lengths.erase(begin + static_cast<std::ptrdiff_t>(common), end);
    } else {
        Lengths.insert(end, lengths.begin() + static_cast<std::ptrdiff_t>(common), lengths.end());
    }
    return true;
}

std::size_t TLineLengths::Total(std::size_t breakLength) const
{
    return Lengths.empty() ? 0 : Sum + breakLength * (Lengths.size() - 1);
}

}  // namespace tallyrix
