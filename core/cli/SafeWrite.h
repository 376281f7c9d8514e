// Writing a file that the user names, so that nothing is lost or destroyed:
// a file is replaced whole or left as it was, and a special file (a device,
// a FIFO) is written into, never replaced by a plain file.
#pragma once
#include <string>
#include <string_view>

// Writes `bytes` to `path`:
// - a regular file, or none yet: the bytes go to a temporary file beside it,
//   renamed over it once complete, so a failed write leaves the old file
//   whole; an existing file keeps its permissions, and one the user may not
//   write is refused (the shell's rule); the temporary's name stays within
//   the folder's limit, however long the file's;
// - a symbolic link: followed to the file it finally names, which is
//   replaced so; the link stays a link;
// - a device or a FIFO: opened without blocking and written as a stream,
//   never replaced; a FIFO that nobody reads is refused at once, a reader
//   that stops reading for seconds ends the write;
// - a socket or a folder: refused.
// False on failure, with the reason in French in `reason`.
bool WriteFileSafely(const std::string& path, std::string_view bytes, std::string& reason);
