#include "engine/LineList.h"

#include <algorithm>
#include <new>
#include <utility>

namespace tallyrix {

LineList& LineList::operator=(const LineList& other)
{
    if (this != &other) {
        clear();
        AppendLines(other, 0);
    }
    return *this;
}

void LineList::swap(LineList& other) noexcept
{
    std::swap(text_, other.text_);
    std::swap(capacity_, other.capacity_);
    std::swap(used_, other.used_);
    ends_.swap(other.ends_);
}

// realloc rather than a resize: a resize would fill the new room, and a large
// block moves without a copy.
void LineList::Grow(std::size_t added)
{
    const std::size_t capacity = std::max({2 * capacity_, used_ + added, std::size_t{256}});
    void* const grown = std::realloc(text_.get(), capacity);
    if (grown == nullptr) throw std::bad_alloc();
    static_cast<void>(text_.release());
    text_.reset(static_cast<char*>(grown));
    capacity_ = capacity;
}

void LineList::truncate(std::size_t n)
{
    if (n >= ends_.size()) return;
    used_ = n == 0 ? 0 : ends_[n - 1] + 1;
    ends_.resize(n);
}

void LineList::AppendLines(const LineList& other, std::size_t first)
{
    if (first >= other.size()) return;
    const std::size_t begin = first == 0 ? 0 : other.ends_[first - 1] + 1;
    const std::size_t added = other.used_ - begin;
    if (capacity_ - used_ < added) Grow(added);
    std::memcpy(text_.get() + used_, other.text_.get() + begin, added);
    ends_.reserve(ends_.size() + other.size() - first);
    for (std::size_t i = first; i < other.size(); ++i)
        ends_.push_back(other.ends_[i] - begin + used_);
    used_ += added;
}

std::string LineList::Join(std::string_view separator) const
{
    std::string joined;
    if (empty()) return joined;
    if (separator == "\n") return joined.assign(text_.get(), used_ - 1);
    joined.reserve(used_ + separator.size() * (size() - 1));
    for (std::size_t i = 0; i < size(); ++i) {
        if (i > 0) joined.append(separator);
        joined.append((*this)[i]);
    }
    return joined;
}

std::ostream& operator<<(std::ostream& out, const LineList& list)
{
    out << '{';
    for (std::size_t i = 0; i < list.size(); ++i)
        out << (i ? ", \"" : "\"") << list[i] << '"';
    return out << '}';
}

}  // namespace tallyrix
