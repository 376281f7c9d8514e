// Which lock keys are on, where the window system tells (X11); elsewhere
// all are reported off.
#pragma once

struct LockKeys {
    bool caps = false, num = false, scroll = false;
};

LockKeys CurrentLockKeys();
