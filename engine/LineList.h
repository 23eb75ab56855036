// An ordered list of text lines kept in one buffer, each followed by a line
// feed: appending a line costs no allocation of its own, clearing keeps the
// capacity (a recalculation reuses the memory of the previous one), and the
// whole list is available as one text without copying. The room beyond the
// lines is never written before a line goes there, so a large list holds in
// memory little more than its lines.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace tallyrix {

class LineList {
public:
    class const_iterator {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = std::string_view;

        const_iterator() = default;
        const_iterator(const LineList* list, std::size_t index) : list_(list), index_(index) {}
        std::string_view operator*() const { return (*list_)[index_]; }
        const_iterator& operator++()
        {
            ++index_;
            return *this;
        }
        const_iterator operator++(int)
        {
            const_iterator old = *this;
            ++index_;
            return old;
        }
        const_iterator& operator--()
        {
            --index_;
            return *this;
        }
        difference_type operator-(const const_iterator& other) const
        {
            return static_cast<difference_type>(index_) - static_cast<difference_type>(other.index_);
        }
        const_iterator operator+(difference_type n) const { return {list_, index_ + static_cast<std::size_t>(n)}; }
        bool operator==(const const_iterator& other) const { return index_ == other.index_; }
        bool operator!=(const const_iterator& other) const { return index_ != other.index_; }

    private:
        const LineList* list_ = nullptr;
        std::size_t index_ = 0;
    };

    LineList() = default;
    LineList(const LineList& other) { AppendLines(other, 0); }
    LineList(LineList&& other) noexcept { swap(other); }
    LineList& operator=(const LineList& other);
    LineList& operator=(LineList&& other) noexcept
    {
        LineList(std::move(other)).swap(*this);
        return *this;
    }
    ~LineList() = default;
    void swap(LineList& other) noexcept;

    std::size_t size() const { return ends_.size(); }
    bool empty() const { return ends_.empty(); }
    std::string_view operator[](std::size_t i) const
    {
        const std::size_t begin = i == 0 ? 0 : ends_[i - 1] + 1;
        return std::string_view(text_.get() + begin, ends_[i] - begin);
    }
    std::string_view back() const { return (*this)[size() - 1]; }
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    void clear()
    {
        used_ = 0;
        ends_.clear();
    }
    // Appends one line made of the given parts.
    void push_back(std::string_view first, std::string_view second = {}, std::string_view third = {})
    {
        const std::size_t added = first.size() + second.size() + third.size() + 1;
        if (capacity_ - used_ < added) Grow(added);
        char* const end = Put(Put(Put(text_.get() + used_, first), second), third);
        *end = '\n';
        used_ += added;
        ends_.push_back(used_ - 1);
    }
    // Keeps the first n lines.
    void truncate(std::size_t n);
    // Appends the lines of another list from its line `first` on.
    void AppendLines(const LineList& other, std::size_t first);

    // All lines, each followed by a line feed.
    std::string_view Text() const { return {text_.get(), used_}; }
    // All lines, each followed by the separator except the last.
    std::string Join(std::string_view separator) const;
    std::vector<std::string> ToVector() const { return {begin(), end()}; }

    friend bool operator==(const LineList& list, const std::vector<std::string>& lines)
    {
        return list.size() == lines.size() && std::equal(list.begin(), list.end(), lines.begin());
    }
    friend std::ostream& operator<<(std::ostream& out, const LineList& list);

private:
    void Grow(std::size_t added);
    static char* Put(char* out, std::string_view part)
    {
        if (!part.empty()) std::memcpy(out, part.data(), part.size());
        return out + part.size();
    }

    struct Free {
        void operator()(char* text) const { std::free(text); }
    };
    // The lines are the first used_ bytes of capacity_; the rest is room
    // for more, left as allocated (not filled), so that appending writes
    // the bytes once and untouched room costs no memory.
    std::unique_ptr<char[], Free> text_;
    std::size_t capacity_ = 0;
    std::size_t used_ = 0;
    std::vector<std::size_t> ends_;  // offset of each line's line feed in text_
};

}  // namespace tallyrix
