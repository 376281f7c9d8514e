// The files around the notes store: its folder, the backups beside it and
// their names, and a whole copy of a database written under a temporary
// name and renamed when complete. Private to core/notes.
#pragma once
#include "notes/NoteStore.h"

#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <vector>

namespace NoteFiles {

std::string FolderOf(const std::string& path);
// Makes the folder and its parents (0700); 0 or the errno that refused it.
int MakeFolders(const std::string& folder);
bool Exists(const std::string& path);
// How a file begins: as SQLite's files do, empty (a store never written),
// otherwise, or unreadable.
enum class FileStart { Sqlite, Empty, Other, Unreadable };
FileStart StartOfFile(const std::string& path);
// SQLite's "file:" URI of a path, every byte but letters, digits and
// "/-_.~" escaped, to which query parameters may be added.
std::string UriOf(const std::string& path);
bool IsWritable(const std::string& path);
// The folder's entries made durable (after a rename in it).
void SyncFolder(const std::string& folder);

std::string BackupsFolder(const std::string& databasePath);
// "notes-YYYYMMDD-HHMMSS-mmm.sqlite", UTC.
std::string BackupName(int64_t takenMs);
// The backups in the folder, newest first, without their counts; names that
// are not a backup's (a temporary copy, anything else) are left out.
std::vector<CNoteBackup> BackupFiles(const std::string& backupsFolder);

// Copies the whole of `from`'s main database to `to` with SQLite's online
// backup, through a temporary file in the same folder renamed when the copy
// is complete and on disk, so that a process killed half-way leaves no
// partial file under `to`. The copy is in rollback-journal mode.
bool CopyDatabase(sqlite3* from, const std::string& to, std::string& error);
// Removes temporary copies left by a process that no longer runs.
void RemoveStaleCopies(const std::string& folder);

// "le 09/12/2026 à 14:03", local time.
std::string LocalDate(int64_t ms);
// "YYYYMMDD-HHMMSS", local time.
std::string LocalStamp(int64_t ms);
bool SameLocalDay(int64_t a, int64_t b);

}  // namespace NoteFiles
