#include "TableOutput.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct Output {
    std::string key;     // RCDATA_133
    std::string target;  // OUT/RCDATA_133
    std::string fresh;   // the new content under a temporary name
    std::string backup;  // where the old file waits while the renames run
};

struct Rename {
    std::string from, to;
};

// One attempt at replacing the outputs: it owns its temporary files and
// removes them whatever happens, and undoes its renames unless committed.
class OutputChange {
public:
    OutputChange(const std::string& dir, const OutputFault& fault) : m_dir(dir), m_fault(fault) {}
    OutputChange(const OutputChange&) = delete;
    OutputChange& operator=(const OutputChange&) = delete;
    ~OutputChange();

    // Writes one table under a temporary name, and reserves the name its
    // old file will wait under.
    bool Prepare(const CompiledTable& table, std::string& error);
    // Moves every old file aside and every new one into place; on failure
    // puts the old ones back.
    bool Commit(std::string& error);
    // False when a failed commit could not put every old file back.
    bool Restored() const { return m_restored; }

private:
    int Fault(const std::string& step) const { return m_fault ? m_fault(step) : 0; }
    bool CreateUnique(const std::string& key, const char* role, std::string& path, int& fd,
                      std::string& error);
    bool WriteAll(int fd, const CompiledTable& table, const std::string& target, std::string& error);
    bool Replace(const Output& out, std::string& error);
    bool Move(const std::string& from, const std::string& to, const std::string& target,
              std::string& error);
    bool Undo();

    std::string m_dir;
    const OutputFault& m_fault;
    std::vector<Output> m_outputs;
    std::vector<Rename> m_done;  // renames made, undone unless committed
    std::vector<std::string> m_created;  // temporary names, removed at the end
    bool m_committed = false;
    bool m_restored = true;
};

std::string Reason(int err) { return std::strerror(err); }

OutputChange::~OutputChange() {
    if (!m_committed) Undo();  // after an exception; Commit undoes its own failures
    // Left under a temporary name: the new files after a failure, the old
    // files (or the unused reserved names) after a success.
    for (const std::string& path : m_created) unlink(path.c_str());
}

bool OutputChange::CreateUnique(const std::string& key, const char* role, std::string& path,
                                int& fd, std::string& error) {
    // O_EXCL: never reuse nor follow anything already there.
    for (int attempt = 0; attempt < 100; ++attempt) {
        path = m_dir + "/." + key + "." + role + "-" + std::to_string(getpid()) + "-" +
               std::to_string(m_created.size()) + "-" + std::to_string(attempt);
        fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            m_created.push_back(path);
            return true;
        }
        if (errno != EEXIST) break;
    }
    error = "création d'un fichier impossible dans " + m_dir + " : " + Reason(errno);
    return false;
}

bool OutputChange::WriteAll(int fd, const CompiledTable& table, const std::string& target,
                            std::string& error) {
    const unsigned char* data = table.bytes.data();
    size_t left = table.bytes.size();
    int err = Fault("write " + table.key);
    while (!err && left > 0) {
        const ssize_t n = write(fd, data, left);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) err = errno;
        else data += n, left -= size_t(n);
    }
    // A full disk may only show when the data reach it.
    if (!err && fsync(fd) != 0 && errno != EINVAL) err = errno;
    if (close(fd) != 0 && !err) err = errno;
    if (err) error = "écriture impossible : " + target + " : " + Reason(err);
    return !err;
}

bool OutputChange::Prepare(const CompiledTable& table, std::string& error) {
    Output out{table.key, m_dir + "/" + table.key, {}, {}};
    struct stat info {};
    if (lstat(out.target.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        error = "remplacement impossible : " + out.target + " est un dossier";
        return false;
    }
    int fd = -1;
    if (!CreateUnique(table.key, "new", out.fresh, fd, error)) return false;
    if (!WriteAll(fd, table, out.target, error)) return false;
    if (!CreateUnique(table.key, "old", out.backup, fd, error)) return false;
    close(fd);
    m_outputs.push_back(out);
    return true;
}

bool OutputChange::Move(const std::string& from, const std::string& to, const std::string& target,
                        std::string& error) {
    const int err = rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
    if (err) {
        error = "remplacement impossible : " + target + " : " + Reason(err);
        return false;
    }
    m_done.push_back({from, to});
    return true;
}

bool OutputChange::Replace(const Output& out, std::string& error) {
    // rename() acts on the name itself: a link is moved, never followed.
    struct stat info {};
    if (lstat(out.target.c_str(), &info) == 0 && !Move(out.target, out.backup, out.target, error))
        return false;
    if (const int err = Fault("rename " + out.key)) {
        error = "remplacement impossible : " + out.target + " : " + Reason(err);
        return false;
    }
    return Move(out.fresh, out.target, out.target, error);
}

bool OutputChange::Commit(std::string& error) {
    for (const Output& out : m_outputs)
        if (!Replace(out, error)) {
            m_restored = Undo();
            return false;
        }
    m_committed = true;
    return true;
}

bool OutputChange::Undo() {
    bool restored = true;
    for (auto it = m_done.rbegin(); it != m_done.rend(); ++it)
        if (rename(it->to.c_str(), it->from.c_str()) != 0) restored = false;
    m_done.clear();
    return restored;
}

}  // namespace

bool WriteTables(const std::string& outDir, const std::vector<CompiledTable>& tables,
                 std::string& error, const OutputFault& fault) {
    std::error_code ec;
    const bool existed = fs::exists(outDir, ec);
    fs::create_directories(outDir, ec);
    if (ec) {
        error = "création impossible : " + outDir + " : " + ec.message();
        return false;
    }
    bool written = true;
    bool restored = true;
    {
        OutputChange change(outDir, fault);
        for (const CompiledTable& table : tables)
            if (written) written = change.Prepare(table, error);
        if (written) written = change.Commit(error);
        restored = change.Restored();
    }  // the change's temporary files are gone here
    if (written) return true;
    if (!existed) fs::remove(outDir, ec);  // made for nothing; removed only if still empty
    error += restored ? " (rien n'a changé dans " + outDir + ")"
                      : " (et des anciens fichiers de " + outDir + " n'ont pas pu être remis en place)";
    return false;
}
