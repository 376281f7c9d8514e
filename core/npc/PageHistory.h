// The pages a finder has shown, in the order it showed them, with a place in
// that list that Back and Forward move, as a web browser keeps its history.
// A page is a number the finder gives meaning to (a character's ordinal).
#pragma once
#include <cstddef>
#include <optional>
#include <vector>

class CPageHistory {
public:
    // Keeps at most `limit` pages (at least 1); the oldest go first.
    explicit CPageHistory(size_t limit = kDefaultLimit);

    static constexpr size_t kDefaultLimit = 1000;

    // A page newly shown: drops the pages ahead of the current one, then
    // appends it. Showing the current page again adds nothing.
    void Visit(int page);

    bool CanGoBack() const { return m_current > 0 && !m_pages.empty(); }
    bool CanGoForward() const { return m_current + 1 < m_pages.size(); }
    // The page before (after) the current one, which becomes current;
    // nothing, and no change, at the start (end).
    std::optional<int> Back();
    std::optional<int> Forward();

    // The page shown now; nothing before the first visit.
    std::optional<int> Current() const;
    size_t Size() const { return m_pages.size(); }

private:
    std::vector<int> m_pages;
    size_t m_current = 0;  // index in m_pages, meaningless while it is empty
    size_t m_limit;
};
