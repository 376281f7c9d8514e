/* fill_screen.so: makes a GTK 2 program's windows open as large as the
 * screen, for gpicview, which has no geometry option and, with no window
 * manager to maximise it, opens at its fixed default of 640 x 480. Loaded
 * with LD_PRELOAD, it replaces only the default size that the program asks
 * for, before the window is shown: the window maps once, at its final size,
 * as the other programs' windows do, and the program sizes and paints its
 * picture for it by its own code. Built by run.sh:
 *   cc -O2 -shared -fPIC -o fill_screen.so fill_screen.c -ldl
 */
#define _GNU_SOURCE
#include <dlfcn.h>

typedef void (*SetDefaultSize)(void* window, int width, int height);
typedef int (*ScreenSide)(void);

void gtk_window_set_default_size(void* window, int width, int height) {
    const SetDefaultSize real = (SetDefaultSize)dlsym(RTLD_NEXT, "gtk_window_set_default_size");
    const ScreenSide screen_width = (ScreenSide)dlsym(RTLD_DEFAULT, "gdk_screen_width");
    const ScreenSide screen_height = (ScreenSide)dlsym(RTLD_DEFAULT, "gdk_screen_height");
    if (screen_width && screen_height) {
        width = screen_width();
        height = screen_height();
    }
    if (real) real(window, width, height);
}
