// The whole pages of memory inside a block: what the system's page requests
// (madvise, mincore) may be given, the block's partial first and last pages
// left out, since they may hold other data.
#pragma once
#include <cstddef>
#include <cstdint>

#include <unistd.h>

struct WholePages {
    uintptr_t begin = 0, end = 0;  // page-aligned; empty when begin >= end

    static WholePages Of(const void* data, size_t size) {
        const auto page = uintptr_t(sysconf(_SC_PAGESIZE));
        const auto start = reinterpret_cast<uintptr_t>(data);
        return {(start + page - 1) / page * page, (start + size) / page * page};
    }
    bool Empty() const { return end <= begin; }
    size_t Size() const { return Empty() ? 0 : size_t(end - begin); }
    void* Start() const { return reinterpret_cast<void*>(begin); }
};
