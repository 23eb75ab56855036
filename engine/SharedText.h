// What two texts share at their start and at their end, compared a block at
// a time: an edit of a long document changes a few bytes of it.
#pragma once

#include <cstddef>
#include <string_view>

namespace tallyrix {

// The number of leading bytes the texts share.
std::size_t SharedPrefix(std::string_view a, std::string_view b);
// The number of trailing bytes they share.
std::size_t SharedSuffix(std::string_view a, std::string_view b);
// The line feeds in a text.
std::size_t CountLineFeeds(std::string_view text);

}  // namespace tallyrix
