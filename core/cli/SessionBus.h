// The D-Bus session bus a windowed Qt program connects to, for
// accessibility, while its first window is built. With no bus address in the
// environment and no per-user bus, the D-Bus library "autolaunches" one: it
// forks the whole program to run dbus-launch, which starts a bus for the X
// display. Where no dbus-launch is installed that fork can only fail, and the
// connection waits for it (about 4 ms of a 60 ms start-up). Such a start-up
// is told there is no bus instead: the outcome is the same, without the fork.
#pragma once
#include <optional>
#include <string>

// What the D-Bus library looks at before it autolaunches a bus.
struct BusSetting {
    std::optional<std::string> address;  // DBUS_SESSION_BUS_ADDRESS
    std::string display;                 // DISPLAY: autolaunch needs one
    bool userBus = false;                // $XDG_RUNTIME_DIR/bus exists
    bool launcher = false;               // dbus-launch can be run
};

// True when the D-Bus library would fork to autolaunch a bus and fail.
bool BusLaunchCanOnlyFail(const BusSetting& setting);

// This process's setting: its environment, and the library's places for the
// launcher (/usr/bin, then each folder of PATH).
BusSetting ReadBusSetting();

// True when `name` is an executable file in one of the colon-separated
// `folders`.
bool ExecutableIn(const std::string& name, const std::string& folders);

// Where BusLaunchCanOnlyFail holds, sets DBUS_SESSION_BUS_ADDRESS to
// "disabled:", an address the library refuses at once. To be called before
// any thread is started. True when it did.
bool RefuseHopelessBusLaunch();
