// The program's version, as its version block states it.
#pragma once

namespace Version {
constexpr int kMajor = 1, kMinor = 3, kPatch = 0, kBuild = 0;
constexpr const char* kDotted = "1.3.0.0";
constexpr const char* kFileVersion = "1, 3, 0, 0";
constexpr const char* kProductVersion = "1, 3, 0, 0";
constexpr const char* kFileDescription = "Sarvenhal";
constexpr const char* kProductName = "Sarvenhal";
constexpr const char* kInternalName = "Zerim";
constexpr const char* kOriginalFilename = "Zerim.EXE";
constexpr const char* kLegalCopyright = "Copyright (C) 2026 les développeurs de Sarvenhal";
}  // namespace Version
