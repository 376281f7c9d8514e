// Resources read from a folder of files named TYPE_ID (RCDATA_133, JPG_131,
// ...: the names --dump and zerim-tables use), laid over another store: a
// resource found in the folder replaces the other store's, every other one
// comes from the other store. The files are read once, when the folder is
// loaded, and kept for the life of the store.
#pragma once
#include "../data/ResourceStore.h"

#include <map>
#include <string>
#include <vector>

class CDataDirStore : public IResourceStore {
public:
    explicit CDataDirStore(const IResourceStore& fallback) : m_fallback(fallback) {}

    // Reads every resource file of `dir`; other names are left alone. False,
    // with the reason in `error`, when the folder cannot be listed or a
    // resource file cannot be read; the store then holds nothing of it.
    bool LoadDirectory(const std::string& dir, std::string& error);
    // How many resources the folder gave.
    size_t Count() const { return m_blocks.size(); }

    std::optional<ByteBlock> Find(const ResType& type, int id) const override;

private:
    const IResourceStore& m_fallback;
    std::map<std::string, std::vector<unsigned char>> m_blocks;  // by ResourceKey
};

// The resource a file name stands for, in its ResourceKey spelling
// ("rcdata_133" and "10_133" both give "RCDATA_133"); empty when the name
// is not TYPE_ID.
std::string ResourceKeyOfFileName(const std::string& fileName);
