// The --data folder reading on folders made from the input: files, folders,
// FIFOs and links under names that are, often, spellings of the program's
// resources. The store must never block nor crash, and must agree with a
// model: the folder loads unless a used resource is given twice or by
// something that is not a regular file, and then gives exactly the bytes of
// each used file and nothing of any other name.
//
// Input: entries of [kind][name][size, 2 bytes][content]. kind % 4: file,
// folder, FIFO, link (content = target name). name: a byte n; n >= 0x80
// picks a name from kNames, else the n next bytes are the name.
#include "cli/DataDirStore.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const char* const kNames[] = {
    "RCDATA_133", "rcdata_133", "10_134", "RCDATA_138", "RCDATA_139", "RCDATA_140", "RCDATA_141",
    "JPG_131", "jpg_131", "HTML_135", "23_136", "BITMAP_128", "2_128", "JUNK_1", "RCDATA_135",
    "GROUP_ICON_128", "notes.txt", "RCDATA_", "_133", "DIALOG_100"};

enum Kind { kFile, kFolder, kFifo, kLink };

struct Entry {
    Kind kind;
    std::string content;  // bytes of a file, target of a link
};

class Input {
public:
    Input(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    bool Empty() const { return m_pos >= m_size; }
    uint8_t Byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    std::string Bytes(size_t n) {
        n = std::min(n, m_size - std::min(m_pos, m_size));
        std::string out(reinterpret_cast<const char*>(m_data + m_pos), n);
        m_pos += n;
        return out;
    }

private:
    const uint8_t* m_data;
    size_t m_size, m_pos = 0;
};

std::string Name(Input& in) {
    const uint8_t n = in.Byte();
    if (n >= 0x80) return kNames[(n - 0x80) % (sizeof kNames / sizeof *kNames)];
    std::string name = in.Bytes(n % 40);
    for (char& c : name)
        if (c == '/' || c == '\0') c = '_';
    return (name.empty() || name == "." || name == "..") ? std::string("x") : name;
}

bool Make(const fs::path& dir, const std::string& name, const Entry& e) {
    const fs::path path = dir / name;
    switch (e.kind) {
    case kFile: {
        if (fs::exists(fs::symlink_status(path))) return false;
        std::ofstream(path, std::ios::binary) << e.content;
        return true;
    }
    case kFolder: return mkdir(path.c_str(), 0700) == 0;
    case kFifo: return mkfifo(path.c_str(), 0600) == 0;
    default: return symlink(e.content.c_str(), path.c_str()) == 0;
    }
}

// What a name leads to, links followed as the system would (40 at most).
std::optional<Entry> Resolve(const std::map<std::string, Entry>& made, std::string name) {
    for (int hop = 0; hop <= 40; ++hop) {
        const auto it = made.find(name);
        if (it == made.end()) return std::nullopt;
        if (it->second.kind != kLink) return it->second;
        name = it->second.content;
    }
    return std::nullopt;
}

// One folder for the whole run, removed at exit: a plain array, so that it
// outlives every static destructor.
char g_base[4096];

void RemoveBase() {
    std::error_code ec;
    fs::remove_all(g_base, ec);
}

fs::path Base() {
    if (!g_base[0]) {
        const fs::path shm("/dev/shm");
        const std::string tmpl = ((fs::is_directory(shm) ? shm : fs::temp_directory_path()) /
                                  "fuzz-datadir-XXXXXX").string();
        if (tmpl.size() >= sizeof g_base) std::abort();
        tmpl.copy(g_base, tmpl.size());
        if (!mkdtemp(g_base)) std::abort();
        std::atexit(RemoveBase);
    }
    return g_base;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fs::path dir = Base() / "d";
    fs::remove_all(dir);
    fs::create_directory(dir);
    Input in(data, size);
    std::map<std::string, Entry> made;
    for (int i = 0; i < 16 && !in.Empty(); ++i) {
        const Kind kind = Kind(in.Byte() % 4);
        const std::string name = Name(in);
        const size_t length = in.Byte() | (size_t(in.Byte()) << 8);
        const Entry entry{kind, kind == kLink ? Name(in) : in.Bytes(length)};
        if (Make(dir, name, entry)) made.emplace(name, entry);
    }

    // The model: which used resources the folder gives, and whether it loads.
    std::map<std::string, std::string> expected;  // key -> bytes
    bool loads = true;
    for (const auto& [name, entry] : made) {
        const std::string key = ResourceKeyOfFileName(name);
        bool used = false;
        for (const UsedResource& u : UsedResources()) used |= ResourceKey(u.type, u.id) == key;
        if (!used) continue;
        const auto target = Resolve(made, name);
        if (expected.count(key) || !target || target->kind != kFile) loads = false;
        if (target) expected[key] = target->content;
    }

    CMemoryResourceStore fallback;
    fallback.Add(ResType::Named("JUNK"), 1, {'f'});
    CDataDirStore store(fallback);
    std::string error;
    if (store.LoadDirectory(dir.string(), error) != loads || error.empty() == !loads) std::abort();
    if (store.Count() != (loads ? expected.size() : 0)) std::abort();
    for (const UsedResource& u : UsedResources()) {
        const auto block = store.Find(u.type, u.id);
        const auto it = expected.find(ResourceKey(u.type, u.id));
        const bool given = loads && it != expected.end();
        if (bool(block) != given) std::abort();
        if (given && std::string(block->begin(), block->end()) != it->second) std::abort();
    }
    // A name the program never asks for comes from the other store.
    const auto junk = store.Find(ResType::Named("JUNK"), 1);
    if (!junk || junk->size != 1) std::abort();
    return 0;
}
