// Reading a file of unknown origin (a --data folder) without trusting what it
// claims to be: only a regular file is read, and never more than a bound.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

enum class BoundedReadStatus { Read, TooLarge, Failed };

struct BoundedRead {
    BoundedReadStatus status = BoundedReadStatus::Failed;
    std::vector<unsigned char> bytes;  // the whole file, when Read
    std::string reason;                // why not, when Failed
};

// Reads the regular file at `path` (a link to one is followed) when it holds
// at most `maxBytes`. A folder, FIFO, device or socket fails without being
// opened. The size the file reports only serves to refuse it early: reading
// stops after maxBytes + 1 bytes whatever it claimed, so a file that grows
// while it is read is refused too.
BoundedRead ReadFileBounded(const std::string& path, size_t maxBytes);
