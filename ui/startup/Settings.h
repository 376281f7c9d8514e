// Where the program's profile settings live (the view remembered at close,
// see SettingsFile): the names are set once here so every QSettings finds the
// same place.
#pragma once

namespace Settings {
constexpr const char* kOrganization = "Local AppWizard-Generated Applications";
constexpr const char* kApplication = "Zerim";
void Register();
}  // namespace Settings
