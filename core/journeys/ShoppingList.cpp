#include "journeys/ShoppingList.h"

#include <algorithm>

bool CShoppingList::Add(uint16_t spell) {
    if (std::find(m_spells.begin(), m_spells.end(), spell) != m_spells.end()) return false;
    m_spells.push_back(spell);
    return true;
}

void CShoppingList::RemoveAt(size_t row) {
    if (row < m_spells.size()) m_spells.erase(m_spells.begin() + std::ptrdiff_t(row));
}

std::string CShoppingList::Text() const {
    std::string text;
    for (const uint16_t spell : m_spells) {
        if (!text.empty()) text += ',';
        text += std::to_string(spell);
    }
    return text;
}

// Each field must be a plain decimal number below 65536; anything else
// (a sign, a space, letters, an empty field) drops that field alone.
CShoppingList CShoppingList::FromText(const std::string& text, const std::function<bool(uint16_t)>& known) {
    CShoppingList list;
    size_t start = 0;
    while (start <= text.size() && list.m_spells.size() < kMaxSpells) {
        const size_t end = std::min(text.find(',', start), text.size());
        const std::string field = text.substr(start, end - start);
        const bool digits = !field.empty() && field.size() <= 5 &&
                            std::all_of(field.begin(), field.end(), [](char c) { return c >= '0' && c <= '9'; });
        if (digits) {
            const unsigned long id = std::stoul(field);
            if (id <= 0xFFFF && known(uint16_t(id))) list.Add(uint16_t(id));
        }
        start = end + 1;
    }
    return list;
}
