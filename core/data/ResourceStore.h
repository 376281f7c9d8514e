// Where the program's embedded data comes from. A resource is found by its
// type (a standard number such as RCDATA, or the custom name "JPG") and an
// integer id, and is a read-only byte block that stays valid for the life of
// the store. A missing resource is "not found", never an empty block.
#pragma once
#include "data/ByteBlock.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class ResType {
public:
    static ResType Numeric(int number) { return ResType(number, {}); }
    static ResType Named(std::string name) { return ResType(0, std::move(name)); }
    // "RCDATA", "HTML", "JPG", ... (any case) or a decimal type number.
    static std::optional<ResType> Parse(std::string_view text);

    // The type as files and messages write it: "RCDATA", "JPG", or the
    // number for a standard type without a name.
    std::string Name() const;
    bool operator==(const ResType& other) const {
        return m_number == other.m_number && m_name == other.m_name;
    }

private:
    ResType(int number, std::string name) : m_number(number), m_name(std::move(name)) {}
    int m_number;        // 0 for a named type
    std::string m_name;  // upper case; empty for a numeric type
};

// "RCDATA_133": how a resource is named in the executable and on disk.
std::string ResourceKey(const ResType& type, int id);

class IResourceStore {
public:
    virtual ~IResourceStore() = default;
    virtual std::optional<ByteBlock> Find(const ResType& type, int id) const = 0;
    // The resource as the program was built with it, whatever a store laid
    // over it gives: what goes with a built-in resource (the map picture's
    // first look) is taken only with that very resource.
    virtual std::optional<ByteBlock> FindBuiltIn(const ResType& type, int id) const { return Find(type, id); }
};

// Resources held in memory; used by tests and by anything that builds data
// at run time.
class CMemoryResourceStore : public IResourceStore {
public:
    void Add(const ResType& type, int id, std::vector<unsigned char> bytes);
    std::optional<ByteBlock> Find(const ResType& type, int id) const override;

private:
    std::map<std::string, std::vector<unsigned char>> m_blocks;
};

// The lookup every table reader makes: an RCDATA block by id.
std::optional<ByteBlock> FindRcData(const IResourceStore& store, int id);
