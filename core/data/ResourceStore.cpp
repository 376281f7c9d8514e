#include "data/ResourceStore.h"

#include "data/ResourceIds.h"
#include "data/WholeNumber.h"

#include <algorithm>
#include <cctype>

namespace {

struct TypeName {
    int number;
    const char* name;
};

constexpr TypeName kStandardTypes[] = {
    {ResId::RT_BITMAP, "BITMAP"},   {ResId::RT_ICON, "ICON"},
    {ResId::RT_MENU, "MENU"},       {ResId::RT_DIALOG, "DIALOG"},
    {ResId::RT_STRING, "STRING"},   {ResId::RT_RCDATA, "RCDATA"},
    {ResId::RT_GROUP_ICON, "GROUP_ICON"}, {ResId::RT_VERSION, "VERSION"},
    {ResId::RT_HTML, "HTML"},       {ResId::RT_TOOLBAR, "TOOLBAR"},
};

std::string Upper(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    return out;
}

}  // namespace

std::optional<ResType> ResType::Parse(std::string_view text) {
    if (const auto number = ParseWholeNumber(text, Minus::Refused, 5)) {
        if (*number < 1 || *number > 0xFFFF) return std::nullopt;
        return Numeric(int(*number));
    }
    const std::string upper = Upper(text);
    for (const TypeName& t : kStandardTypes)
        if (upper == t.name) return Numeric(t.number);
    const bool plainName = !upper.empty() && upper.size() <= 32 &&
        std::all_of(upper.begin(), upper.end(),
                    [](unsigned char c) { return std::isalnum(c) || c == '_'; });
    if (!plainName) return std::nullopt;
    return Named(upper);
}

std::string ResType::Name() const {
    if (!m_name.empty()) return m_name;
    for (const TypeName& t : kStandardTypes)
        if (m_number == t.number) return t.name;
    return std::to_string(m_number);
}

std::string ResourceKey(const ResType& type, int id) {
    return type.Name() + "_" + std::to_string(id);
}

void CMemoryResourceStore::Add(const ResType& type, int id, std::vector<unsigned char> bytes) {
    m_blocks[ResourceKey(type, id)] = std::move(bytes);
}

std::optional<ByteBlock> CMemoryResourceStore::Find(const ResType& type, int id) const {
    const auto it = m_blocks.find(ResourceKey(type, id));
    if (it == m_blocks.end()) return std::nullopt;
    return ByteBlock(it->second);
}

std::optional<ByteBlock> FindRcData(const IResourceStore& store, int id) {
    return store.Find(ResType::Numeric(ResId::RT_RCDATA), id);
}
