#include "notes/NoteFiles.h"

#include "notes/NoteSql.h"
#include "cli/SystemReason.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace NoteFiles {

namespace {

constexpr const char* kTemporaryStart = ".copie-";

std::tm Local(int64_t ms) {
    const std::time_t seconds = static_cast<std::time_t>(ms / 1000);
    std::tm local{};
    localtime_r(&seconds, &local);
    return local;
}

std::string Format(const char* format, const std::tm& time) {
    char text[64];
    return std::string(text, std::strftime(text, sizeof text, format, &time));
}

void RemoveCopy(const std::string& temporary) {
    unlink(temporary.c_str());
    unlink((temporary + "-journal").c_str());
}

}  // namespace

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

int MakeFolders(const std::string& folder) {
    struct stat st {};
    if (stat(folder.c_str(), &st) == 0) return S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
    if (errno != ENOENT) return errno;
    const std::string parent = FolderOf(folder);
    if (parent != folder) {
        const int error = MakeFolders(parent);
        if (error) return error;
    }
    return mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST ? 0 : errno;
}

std::string UriOf(const std::string& path) {
    std::string uri = "file:";
    for (const unsigned char c : path) {
        if (std::isalnum(c) || std::strchr("/-_.~", c)) {
            uri += static_cast<char>(c);
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", c);
            uri += escaped;
        }
    }
    return uri;
}

FileStart StartOfFile(const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return FileStart::Unreadable;
    char start[16];
    const size_t read = std::fread(start, 1, sizeof start, file);
    std::fclose(file);
    if (read == 0) return FileStart::Empty;
    return read == sizeof start && std::memcmp(start, "SQLite format 3", sizeof start) == 0 ? FileStart::Sqlite
                                                                                            : FileStart::Other;
}

bool Exists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0;
}

bool IsWritable(const std::string& path) { return access(path.c_str(), W_OK) == 0; }

void SyncFolder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

std::string BackupsFolder(const std::string& databasePath) { return FolderOf(databasePath) + "/backups"; }

std::string BackupName(int64_t takenMs) {
    const std::time_t seconds = static_cast<std::time_t>(takenMs / 1000);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char millis[16];
    std::snprintf(millis, sizeof millis, "-%03d", static_cast<int>(takenMs % 1000));
    return "notes-" + Format("%Y%m%d-%H%M%S", utc) + millis + ".sqlite";
}

std::vector<CNoteBackup> BackupFiles(const std::string& backupsFolder) {
    std::vector<CNoteBackup> backups;
    DIR* dir = opendir(backupsFolder.c_str());
    if (!dir) return backups;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        std::tm utc{};
        int millis = 0;
        if (std::sscanf(name.c_str(), "notes-%4d%2d%2d-%2d%2d%2d-%3d.sqlite", &utc.tm_year, &utc.tm_mon, &utc.tm_mday,
                        &utc.tm_hour, &utc.tm_min, &utc.tm_sec, &millis) != 7)
            continue;
        utc.tm_year -= 1900;
        utc.tm_mon -= 1;
        const int64_t taken = int64_t{timegm(&utc)} * 1000 + millis;
        if (BackupName(taken) != name) continue;  // only the names a backup is given
        backups.push_back({backupsFolder + "/" + name, taken, 0, 0});
    }
    closedir(dir);
    std::sort(backups.begin(), backups.end(),
              [](const CNoteBackup& a, const CNoteBackup& b) { return a.taken > b.taken; });
    return backups;
}

bool CopyDatabase(sqlite3* from, const std::string& to, std::string& error) {
    const std::string folder = FolderOf(to);
    const std::string temporary = folder + "/" + kTemporaryStart + std::to_string(getpid()) + ".tmp";
    RemoveCopy(temporary);
    sqlite3* copy = nullptr;
    int code = sqlite3_open_v2(temporary.c_str(), &copy, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (code == SQLITE_OK) code = NoteSql::Exec(copy, "PRAGMA synchronous=FULL");
    if (code == SQLITE_OK) {
        sqlite3_backup* backup = sqlite3_backup_init(copy, "main", from, "main");
        if (!backup) {
            code = sqlite3_errcode(copy);
        } else {
            // One step: the source is read in one read transaction, so the
            // copy is one consistent state of the layer.
            code = sqlite3_backup_step(backup, -1);
            const int finished = sqlite3_backup_finish(backup);
            code = code == SQLITE_DONE ? finished : code;
        }
    }
    // The source's WAL flag came with its first page: the copy is a single
    // file, readable from a read-only folder.
    if (code == SQLITE_OK) code = NoteSql::Exec(copy, "PRAGMA journal_mode=DELETE");
    if (code != SQLITE_OK) error = NoteSql::Reason(copy, code);
    const int closed = sqlite3_close(copy);
    if (code == SQLITE_OK && closed != SQLITE_OK) code = closed, error = NoteSql::Reason(nullptr, closed);
    if (code == SQLITE_OK && rename(temporary.c_str(), to.c_str()) != 0) {
        code = SQLITE_IOERR;
        error = SystemReason(errno);
    }
    if (code != SQLITE_OK) {
        RemoveCopy(temporary);
        return false;
    }
    SyncFolder(folder);
    return true;
}

void RemoveStaleCopies(const std::string& folder) {
    DIR* dir = opendir(folder.c_str());
    if (!dir) return;
    std::vector<std::string> stale;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        int pid = 0;
        if (name.rfind(kTemporaryStart, 0) != 0 || std::sscanf(name.c_str() + 7, "%d.tmp", &pid) != 1) continue;
        if (pid != getpid() && kill(pid, 0) != 0 && errno == ESRCH) stale.push_back(folder + "/" + name);
    }
    closedir(dir);
    for (const std::string& path : stale) unlink(path.c_str());
}

std::string LocalDate(int64_t ms) { return Format("le %d/%m/%Y à %H:%M", Local(ms)); }

std::string LocalStamp(int64_t ms) { return Format("%Y%m%d-%H%M%S", Local(ms)); }

bool SameLocalDay(int64_t a, int64_t b) {
    const std::tm x = Local(a), y = Local(b);
    return x.tm_year == y.tm_year && x.tm_yday == y.tm_yday;
}

}  // namespace NoteFiles
