// Writing the compiled tables into their folder as one change: every file
// is first written whole under a temporary name, then all are renamed into
// place. On any failure the folder keeps exactly what it held before.
#pragma once
#include "TableCompiler.h"

#include <functional>
#include <string>
#include <vector>

// For tests: asked before each step ("write RCDATA_133", "rename
// RCDATA_134"); a nonzero errno value makes that step fail with it.
using OutputFault = std::function<int(const std::string& step)>;

// Writes each table to `outDir`/<key>, creating the folder if it is missing.
// Either every output is replaced or none is, and no temporary file is left
// behind. A symbolic link among the outputs is replaced by the file, its
// target left alone; an output name that is a folder is an error. False,
// with the file and the reason in `error`, on failure.
bool WriteTables(const std::string& outDir, const std::vector<CompiledTable>& tables,
                 std::string& error, const OutputFault& fault = {});
