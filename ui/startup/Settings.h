// Where the program's profile settings live. It stores nothing of its own
// yet; the names are set once here so every QSettings finds the same place.
#pragma once

namespace Settings {
constexpr const char* kOrganization = "Local AppWizard-Generated Applications";
constexpr const char* kApplication = "Zerim";
void Register();
}  // namespace Settings
