// Writing a file that the user names, so that nothing is lost or destroyed:
// a file is replaced whole or left as it was, and a special file (a device,
// a FIFO) is written into, never replaced by a plain file.
#pragma once
#include <string>
#include <string_view>

// Writes `bytes` to `path`:
// - a regular file, or none yet: the bytes go to a temporary file beside it,
//   renamed over it once complete, so a failed write leaves the old file
//   whole; an existing file keeps its permissions;
// - a symbolic link: followed to the file it finally names, which is
//   replaced so; the link stays a link;
// - anything else that exists (device, FIFO, socket, folder): opened and
//   written as a stream, never replaced.
// False on failure, with the system's reason in `reason`.
bool WriteFileSafely(const std::string& path, std::string_view bytes, std::string& reason);
