#include "cli/DataDirStore.h"

#include "cli/BoundedRead.h"

#include "data/ResourceIds.h"
#include "data/WholeNumber.h"

#include <filesystem>
#include <optional>

namespace fs = std::filesystem;

namespace {

constexpr size_t kMiB = 1024 * 1024;

// A resource id as a file name spells it: 1 to 5 digits, at most 65535.
std::optional<int> IdOfText(const std::string& text) {
    const auto id = ParseWholeNumber(text, Minus::Refused, 5);
    if (!id || *id > 0xFFFF) return std::nullopt;
    return int(*id);
}

const UsedResource* UsedResourceOfKey(const std::string& key) {
    for (const UsedResource& used : UsedResources())
        if (ResourceKey(used.type, used.id) == key) return &used;
    return nullptr;
}

// The used resources of `dir`, by key, with the file that gives each.
bool ListUsedFiles(const std::string& dir, std::map<std::string, fs::path>& files,
                   std::string& error) {
    std::error_code ec;
    fs::directory_iterator it(dir, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const std::string key = ResourceKeyOfFileName(name);
        // Notes, sources, resources the program never asks for: not opened.
        if (key.empty() || !UsedResourceOfKey(key)) continue;
        // Two spellings of one resource would leave the choice to the
        // listing order; refuse rather than guess.
        const auto known = files.find(key);
        if (known != files.end()) {
            error = "deux fichiers pour la ressource " + key + " : " +
                    known->second.filename().string() + " et " + name;
            return false;
        }
        files.emplace(key, it->path());
    }
    if (ec) {
        error = "lecture du dossier impossible : " + dir + " (" + ec.message() + ")";
        return false;
    }
    return true;
}

bool ReadResourceFile(const std::string& key, const fs::path& path,
                      std::vector<unsigned char>& bytes, std::string& error) {
    const size_t maxBytes = UsedResourceOfKey(key)->maxBytes;
    BoundedRead read = ReadFileBounded(path.string(), maxBytes);
    switch (read.status) {
    case BoundedReadStatus::Read:
        bytes = std::move(read.bytes);
        return true;
    case BoundedReadStatus::TooLarge:
        error = "fichier trop grand : " + path.string() + " (au plus " +
                std::to_string(maxBytes / kMiB) + " Mio pour " + key + ")";
        return false;
    default:
        error = "lecture impossible : " + path.string() + " (" + read.reason + ")";
        return false;
    }
}

}  // namespace

const std::vector<UsedResource>& UsedResources() {
    // Bounds about thirty times the program's own data or more (the picture
    // is 2.5 MiB, the character table 0.6 MiB, every other block a few KiB).
    const ResType rcdata = ResType::Numeric(ResId::RT_RCDATA);
    const ResType html = ResType::Numeric(ResId::RT_HTML);
    static const std::vector<UsedResource> used = {
        {ResType::Named(ResId::RT_JPG), ResId::IDR_MAP_PICTURE, 64 * kMiB},
        {rcdata, ResId::IDR_PLACES, 16 * kMiB},
        {rcdata, ResId::IDR_CHARACTERS, 16 * kMiB},
        {rcdata, ResId::IDR_SPELLS, 4 * kMiB},
        {rcdata, ResId::IDR_VENDORS, 4 * kMiB},
        {rcdata, ResId::IDR_EFFECTS, 4 * kMiB},
        {rcdata, ResId::IDR_VENDOR_LOCATIONS, 4 * kMiB},
        {rcdata, ResId::IDR_ROADS, 16 * kMiB},
        {html, ResId::IDR_BLANK_PAGE, 1 * kMiB},
        {html, ResId::IDR_ABOUT_PAGE, 1 * kMiB},
        {ResType::Numeric(ResId::RT_BITMAP), ResId::IDR_MAINFRAME, 1 * kMiB},
    };
    return used;
}

std::string ResourceKeyOfFileName(const std::string& fileName) {
    // The type may itself hold an underscore (GROUP_ICON_128): the id is
    // what follows the last one.
    const size_t cut = fileName.rfind('_');
    if (cut == std::string::npos || cut == 0) return {};
    const auto id = IdOfText(fileName.substr(cut + 1));
    if (!id) return {};
    const auto type = ResType::Parse(fileName.substr(0, cut));
    if (!type) return {};
    return ResourceKey(*type, *id);
}

bool CDataDirStore::LoadDirectory(const std::string& dir, std::string& error) {
    m_blocks.clear();
    std::error_code ec;
    if (!fs::is_directory(dir, ec)) {
        error = "dossier de données introuvable : " + dir;
        return false;
    }
    std::map<std::string, fs::path> files;
    if (!ListUsedFiles(dir, files, error)) return false;
    std::map<std::string, std::vector<unsigned char>> blocks;
    for (const auto& [key, path] : files)
        if (!ReadResourceFile(key, path, blocks[key], error)) return false;
    m_blocks = std::move(blocks);
    return true;
}

std::optional<ByteBlock> CDataDirStore::Find(const ResType& type, int id) const {
    const auto it = m_blocks.find(ResourceKey(type, id));
    if (it != m_blocks.end()) return ByteBlock(it->second);
    return m_fallback.Find(type, id);
}
