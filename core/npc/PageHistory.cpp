#include "npc/PageHistory.h"

#include <algorithm>

CPageHistory::CPageHistory(size_t limit) : m_limit(std::max<size_t>(limit, 1)) {}

void CPageHistory::Visit(int page) {
    if (Current() == page) return;  // Enter pressed twice is one visit
    if (!m_pages.empty()) m_pages.resize(m_current + 1);
    m_pages.push_back(page);
    // A long session forgets its oldest pages rather than growing for ever.
    if (m_pages.size() > m_limit) m_pages.erase(m_pages.begin());
    m_current = m_pages.size() - 1;
}

std::optional<int> CPageHistory::Back() {
    if (!CanGoBack()) return std::nullopt;
    return m_pages[--m_current];
}

std::optional<int> CPageHistory::Forward() {
    if (!CanGoForward()) return std::nullopt;
    return m_pages[++m_current];
}

std::optional<int> CPageHistory::Current() const {
    if (m_pages.empty()) return std::nullopt;
    return m_pages[m_current];
}
