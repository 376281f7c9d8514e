// Resources read from a folder of files named TYPE_ID (RCDATA_133, JPG_131,
// ...: the names --dump and zerim-tables use), laid over another store: a
// resource found in the folder replaces the other store's, every other one
// comes from the other store. Only the resources the program uses are read,
// each up to a size bound; other files are never opened. The files are read
// once, when the folder is loaded, and kept for the life of the store.
#pragma once
#include "data/ResourceStore.h"

#include <cstddef>
#include <map>
#include <string>
#include <vector>

// A resource the program reads, with the largest file a data folder may give
// for it: far above the program's own data, low enough that a stray or
// damaged file cannot exhaust memory.
struct UsedResource {
    ResType type;
    int id;
    size_t maxBytes;
};

// Every resource the program reads, the picture, the tables, the two pages
// and the tool bar strip.
const std::vector<UsedResource>& UsedResources();

class CDataDirStore : public IResourceStore {
public:
    explicit CDataDirStore(const IResourceStore& fallback) : m_fallback(fallback) {}

    // Reads every file of `dir` that stands for a resource the program uses.
    // False, with the reason in `error`, when the folder cannot be listed or
    // such a file cannot be read or is over its bound; the store then holds
    // nothing of it.
    bool LoadDirectory(const std::string& dir, std::string& error);
    // How many resources the folder gave.
    size_t Count() const { return m_blocks.size(); }

    std::optional<ByteBlock> Find(const ResType& type, int id) const override;
    std::optional<ByteBlock> FindBuiltIn(const ResType& type, int id) const override {
        return m_fallback.FindBuiltIn(type, id);
    }

private:
    const IResourceStore& m_fallback;
    std::map<std::string, std::vector<unsigned char>> m_blocks;  // by ResourceKey
};

// The resource a file name stands for, in its ResourceKey spelling
// ("rcdata_133" and "10_133" both give "RCDATA_133"); empty when the name
// is not TYPE_ID.
std::string ResourceKeyOfFileName(const std::string& fileName);
