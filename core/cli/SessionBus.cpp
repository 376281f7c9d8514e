#include "cli/SessionBus.h"

#include <algorithm>
#include <cstdlib>

#include <unistd.h>

namespace {

std::optional<std::string> Environment(const char* name) {
    const char* value = std::getenv(name);
    if (!value) return std::nullopt;
    return std::string(value);
}

bool UserBusExists() {
    const auto folder = Environment("XDG_RUNTIME_DIR");
    return folder && !folder->empty() && access((*folder + "/bus").c_str(), F_OK) == 0;
}

}  // namespace

bool BusLaunchCanOnlyFail(const BusSetting& setting) {
    // An empty address counts as none: the library autolaunches then too.
    const bool noAddress = !setting.address || setting.address->empty();
    return noAddress && !setting.display.empty() && !setting.userBus && !setting.launcher;
}

bool ExecutableIn(const std::string& name, const std::string& folders) {
    std::string::size_type start = 0;
    while (start <= folders.size()) {
        const std::string::size_type end = std::min(folders.find(':', start), folders.size());
        // An empty entry is the current folder, as for the shell.
        const std::string folder = end > start ? folders.substr(start, end - start) : ".";
        if (access((folder + "/" + name).c_str(), X_OK) == 0) return true;
        start = end + 1;
    }
    return false;
}

BusSetting ReadBusSetting() {
    BusSetting setting;
    setting.address = Environment("DBUS_SESSION_BUS_ADDRESS");
    setting.display = Environment("DISPLAY").value_or("");
    setting.userBus = UserBusExists();
    setting.launcher = ExecutableIn("dbus-launch", "/usr/bin:" + Environment("PATH").value_or(""));
    return setting;
}

bool RefuseHopelessBusLaunch() {
    if (!BusLaunchCanOnlyFail(ReadBusSetting())) return false;
    return setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1) == 0;
}
