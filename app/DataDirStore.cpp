#include "DataDirStore.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

bool IsId(const std::string& text) {
    return !text.empty() && text.size() <= 5 &&
           std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); }) &&
           std::stoi(text) <= 0xFFFF;
}

bool ReadWholeFile(const fs::path& path, std::vector<unsigned char>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

}  // namespace

std::string ResourceKeyOfFileName(const std::string& fileName) {
    // The type may itself hold an underscore (GROUP_ICON_128): the id is
    // what follows the last one.
    const size_t cut = fileName.rfind('_');
    if (cut == std::string::npos || cut == 0) return {};
    const std::string id = fileName.substr(cut + 1);
    if (!IsId(id)) return {};
    const auto type = ResType::Parse(fileName.substr(0, cut));
    if (!type) return {};
    return ResourceKey(*type, std::stoi(id));
}

bool CDataDirStore::LoadDirectory(const std::string& dir, std::string& error) {
    m_blocks.clear();
    std::error_code ec;
    if (!fs::is_directory(dir, ec)) {
        error = "dossier de données introuvable : " + dir;
        return false;
    }
    std::map<std::string, std::vector<unsigned char>> blocks;
    std::map<std::string, std::string> fileOf;  // key -> the file that gave it
    fs::directory_iterator it(dir, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const std::string key = ResourceKeyOfFileName(name);
        if (key.empty()) continue;  // not a resource: notes, sources, ...
        // Two spellings of one resource would leave the choice to the
        // listing order; refuse rather than guess.
        if (fileOf.count(key)) {
            error = "deux fichiers pour la ressource " + key + " : " + fileOf[key] + " et " + name;
            return false;
        }
        std::vector<unsigned char> bytes;
        if (!fs::is_regular_file(it->path()) || !ReadWholeFile(it->path(), bytes)) {
            error = "lecture impossible : " + it->path().string();
            return false;
        }
        fileOf[key] = name;
        blocks[key] = std::move(bytes);
    }
    if (ec) {
        error = "lecture du dossier impossible : " + dir + " (" + ec.message() + ")";
        return false;
    }
    m_blocks = std::move(blocks);
    return true;
}

std::optional<ByteBlock> CDataDirStore::Find(const ResType& type, int id) const {
    const auto it = m_blocks.find(ResourceKey(type, id));
    if (it != m_blocks.end()) return ByteBlock(it->second);
    return m_fallback.Find(type, id);
}
