/* startup_x: how long a program takes, from its launch, to put a map on an
 * X screen.
 *
 *   startup_x [-d DISPLAY] [-t MS] [-a X,Y,W,H] [-n COLOURS] [-g STEP]
 *             [-s SHOT.ppm] [-p BEFORE.ppm] [-k MS] [-e NAME=VALUE] [-v]
 *             -- COMMAND [ARG...]
 *   startup_x -x [-t MS] [-e NAME=VALUE] -- COMMAND [ARG...]
 *                                   time COMMAND to its exit
 *   startup_x -c SHOT.ppm [-a X,Y,W,H] [-n COLOURS] [-g STEP]
 *                                   apply the criterion to a screenshot
 *
 * The launch time is taken (CLOCK_MONOTONIC) just before fork. The command
 * runs in its own process group. The area is then read from the root window
 * through MIT-SHM (XShmGetImage into a shared segment), about every
 * millisecond with at most half a millisecond of sleep between reads, until
 * it holds map-like pixels: among the pixels of a grid (every STEP-th pixel
 * of every STEP-th row), more than COLOURS distinct colours. A painted map
 * decoded from a JPEG has thousands; a uniform background, a grey window,
 * tool bars, menus and anti-aliased text have a few dozen to a few hundred.
 * The time printed is taken when the read that first saw the map returned,
 * so it is never early, and late by at most one read.
 * Before the launch it waits (at most two seconds) for the area to hold no
 * map, so that a window of the previous run still going away is not taken
 * for this one's.
 * Then the process group gets SIGTERM (SIGKILL after a second) and is waited
 * for. Output: "map <ms> ms (<n> colours, at most <m> before)"; on timeout or
 * early exit a line beginning "failure" on standard error and exit status 1
 * (2: misuse). -s writes the frame in which the map was seen, -p the last
 * frame before it (binary PPM of the area), -k keeps the program on screen
 * that long after the map was seen (for a screenshot from outside), -e sets
 * one variable in the command's environment only, -v prints the count of
 * every read.
 */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <errno.h>
#include <signal.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

typedef struct {
    const char* display;
    double deadline_ms;
    int area[4]; /* x, y, w, h; w == 0: the whole screen */
    int colours;
    int step;
    const char* shot;
    const char* before_shot;
    double hold_ms;
    int verbose;
    int exit_mode;
    const char* count_ppm;
    char* child_env; /* NAME=VALUE set in the command's environment only */
    char** command;
} Options;

typedef struct {
    int width, height;
    const uint8_t* data;
    int bytes_per_line;
    int bytes_per_pixel; /* 4: X's BGRX; 3: a PPM's RGB */
} Pixels;

static double now_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

static void usage(void) {
    fputs("usage: startup_x [-d DISPLAY] [-t MS] [-a X,Y,W,H] [-n COLOURS] [-g STEP]\n"
          "                 [-s SHOT.ppm] [-p BEFORE.ppm] [-k MS] [-e NAME=VALUE] [-v]\n"
          "                 -- COMMAND [ARG...]\n"
          "       startup_x -x [-t MS] [-e NAME=VALUE] -- COMMAND [ARG...]\n"
          "       startup_x -c SHOT.ppm [-a X,Y,W,H] [-n COLOURS] [-g STEP]\n",
          stderr);
    exit(2);
}

static void parse_area(const char* text, int area[4]) {
    if (sscanf(text, "%d,%d,%d,%d", &area[0], &area[1], &area[2], &area[3]) != 4 || area[0] < 0 ||
        area[1] < 0 || area[2] <= 0 || area[3] <= 0)
        usage();
}

static Options parse_options(int argc, char** argv) {
    Options o = {getenv("DISPLAY"), 10000, {0, 0, 0, 0}, 1000, 4, NULL, NULL, 0, 0, 0, NULL, NULL, NULL};
    int c;
    while ((c = getopt(argc, argv, "d:t:a:n:g:s:p:k:vxc:e:")) != -1) {
        switch (c) {
        case 'd': o.display = optarg; break;
        case 't': o.deadline_ms = atof(optarg); break;
        case 'a': parse_area(optarg, o.area); break;
        case 'n': o.colours = atoi(optarg); break;
        case 'g': o.step = atoi(optarg); break;
        case 's': o.shot = optarg; break;
        case 'p': o.before_shot = optarg; break;
        case 'k': o.hold_ms = atof(optarg); break;
        case 'v': o.verbose = 1; break;
        case 'x': o.exit_mode = 1; break;
        case 'c': o.count_ppm = optarg; break;
        case 'e': o.child_env = optarg; break;
        default: usage();
        }
    }
    o.command = argv + optind;
    if (o.step < 1 || o.colours < 1 || o.deadline_ms <= 0) usage();
    if (!o.count_ppm && !o.command[0]) usage();
    return o;
}

/* One bit per 24-bit colour (2 MiB), cleared after each count through the
 * list of the bits it set, so that a count costs only what it samples. */
static uint8_t seen[1 << 21];
static uint32_t touched[1 << 20];

static uint32_t colour_at(const Pixels* p, int x, int y) {
    const uint8_t* q = p->data + (size_t)y * p->bytes_per_line + (size_t)x * p->bytes_per_pixel;
    if (p->bytes_per_pixel == 3) return (uint32_t)q[0] << 16 | (uint32_t)q[1] << 8 | q[2];
    return (uint32_t)q[2] << 16 | (uint32_t)q[1] << 8 | q[0];
}

/* Distinct colours among the samples, counted up to 2^20 (far above any
 * threshold), so that every bit set can be cleared again. */
static int distinct_colours(const Pixels* p, int step) {
    const int most = (int)(sizeof touched / sizeof touched[0]);
    int n = 0;
    for (int y = step / 2; y < p->height && n < most; y += step) {
        for (int x = step / 2; x < p->width && n < most; x += step) {
            const uint32_t c = colour_at(p, x, y);
            if (seen[c >> 3] & (1u << (c & 7))) continue;
            seen[c >> 3] |= (uint8_t)(1u << (c & 7));
            touched[n++] = c;
        }
    }
    for (int i = 0; i < n; ++i) seen[touched[i] >> 3] = 0;
    return n;
}

/* ---- screenshots (PPM, P6) ---- */

static int write_ppm(const char* path, const Pixels* p) {
    FILE* f = fopen(path, "wb");
    if (!f) return -1;
    fprintf(f, "P6\n%d %d\n255\n", p->width, p->height);
    for (int y = 0; y < p->height; ++y) {
        for (int x = 0; x < p->width; ++x) {
            const uint32_t c = colour_at(p, x, y);
            const uint8_t rgb[3] = {(uint8_t)(c >> 16), (uint8_t)(c >> 8), (uint8_t)c};
            fwrite(rgb, 1, 3, f);
        }
    }
    return fclose(f);
}

static uint8_t* read_ppm(const char* path, int* width, int* height) {
    FILE* f = fopen(path, "rb");
    int max = 0;
    if (!f) return NULL;
    if (fscanf(f, "P6 %d %d %d", width, height, &max) != 3 || max != 255 || fgetc(f) == EOF ||
        *width <= 0 || *height <= 0 || *width > 16384 || *height > 16384) {
        fclose(f);
        return NULL;
    }
    const size_t size = (size_t)*width * *height * 3;
    uint8_t* data = malloc(size);
    if (data && fread(data, 1, size, f) != size) {
        free(data);
        data = NULL;
    }
    fclose(f);
    return data;
}

/* The area of a PPM screenshot, counted as the poller counts the screen. */
static int count_screenshot(const Options* o) {
    int w, h;
    uint8_t* data = read_ppm(o->count_ppm, &w, &h);
    if (!data) {
        fprintf(stderr, "failure: cannot read %s as a binary PPM\n", o->count_ppm);
        return 1;
    }
    const int* a = o->area;
    const int aw = a[2] ? a[2] : w, ah = a[2] ? a[3] : h;
    if (a[0] + aw > w || a[1] + ah > h) {
        fprintf(stderr, "failure: the area does not fit in the %dx%d picture\n", w, h);
        free(data);
        return 1;
    }
    const Pixels p = {aw, ah, data + ((size_t)a[1] * w + a[0]) * 3, w * 3, 3};
    const int n = distinct_colours(&p, o->step);
    printf("%d colours: %s\n", n, n > o->colours ? "map" : "no map");
    free(data);
    return 0;
}

/* ---- the screen, through MIT-SHM ---- */

typedef struct {
    Display* dpy;
    Window root;
    XImage* image;
    XShmSegmentInfo shm;
    int x, y;
} Screen_;

static int open_screen(Screen_* s, const Options* o) {
    s->dpy = XOpenDisplay(o->display);
    if (!s->dpy) return fprintf(stderr, "failure: cannot open display %s\n", o->display ? o->display : "(none)"), -1;
    if (!XShmQueryExtension(s->dpy)) return fputs("failure: the X server has no MIT-SHM\n", stderr), -1;
    const int scr = DefaultScreen(s->dpy);
    s->root = RootWindow(s->dpy, scr);
    const int sw = DisplayWidth(s->dpy, scr), sh = DisplayHeight(s->dpy, scr);
    const int w = o->area[2] ? o->area[2] : sw, h = o->area[2] ? o->area[3] : sh;
    s->x = o->area[0];
    s->y = o->area[1];
    if (s->x + w > sw || s->y + h > sh) return fputs("failure: the area is off the screen\n", stderr), -1;
    s->image = XShmCreateImage(s->dpy, DefaultVisual(s->dpy, scr), DefaultDepth(s->dpy, scr), ZPixmap, NULL,
                               &s->shm, w, h);
    if (!s->image || s->image->bits_per_pixel != 32)
        return fputs("failure: the screen is not 24-bit colour in 32-bit pixels\n", stderr), -1;
    s->shm.shmid = shmget(IPC_PRIVATE, (size_t)s->image->bytes_per_line * h, IPC_CREAT | 0600);
    if (s->shm.shmid < 0) return perror("failure: shmget"), -1;
    s->shm.shmaddr = s->image->data = shmat(s->shm.shmid, NULL, 0);
    shmctl(s->shm.shmid, IPC_RMID, NULL); /* freed once both sides detach */
    s->shm.readOnly = False;
    if (s->shm.shmaddr == (void*)-1 || !XShmAttach(s->dpy, &s->shm))
        return fputs("failure: cannot share memory with the X server\n", stderr), -1;
    XSync(s->dpy, False);
    return 0;
}

static Pixels grab(Screen_* s) {
    XShmGetImage(s->dpy, s->root, s->image, s->x, s->y, AllPlanes);
    const Pixels p = {s->image->width, s->image->height, (const uint8_t*)s->image->data,
                      s->image->bytes_per_line, 4};
    return p;
}

/* ---- the command ---- */

static pid_t launch(char** command, char* child_env) {
    const pid_t pid = fork();
    if (pid == 0) {
        setpgid(0, 0);
        if (child_env) putenv(child_env);
        execvp(command[0], command);
        fprintf(stderr, "failure: cannot run %s: %s\n", command[0], strerror(errno));
        _exit(127);
    }
    if (pid > 0) setpgid(pid, pid); /* whichever of the two runs first */
    return pid;
}

/* Ends the whole process group, politely first, and reaps the command. */
static void stop(pid_t pid) {
    kill(-pid, SIGTERM);
    const double until = now_ms() + 1000;
    while (waitpid(pid, NULL, WNOHANG) == 0) {
        if (now_ms() > until) {
            kill(-pid, SIGKILL);
            waitpid(pid, NULL, 0);
            break;
        }
        usleep(1000);
    }
    kill(-pid, SIGKILL); /* whatever the command left behind in its group */
}

static void pause_ms(double ms) {
    const struct timespec t = {(time_t)(ms / 1e3), (long)((ms - (time_t)(ms / 1e3) * 1e3) * 1e6)};
    nanosleep(&t, NULL);
}

static void on_alarm(int signal) { (void)signal; }

/* Waits for the command without polling: the deadline is an alarm that
 * interrupts waitpid. */
static int time_to_exit(const Options* o) {
    struct sigaction alarm_action;
    memset(&alarm_action, 0, sizeof alarm_action);
    alarm_action.sa_handler = on_alarm; /* no SA_RESTART: waitpid returns EINTR */
    sigaction(SIGALRM, &alarm_action, NULL);
    const double start = now_ms();
    const pid_t pid = launch(o->command, o->child_env);
    if (pid < 0) return perror("failure: fork"), 1;
    const long us = (long)(o->deadline_ms * 1e3);
    const struct itimerval deadline = {{0, 0}, {us / 1000000, us % 1000000}};
    setitimer(ITIMER_REAL, &deadline, NULL);
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) {
        stop(pid);
        return fprintf(stderr, "failure: still running after %.0f ms\n", o->deadline_ms), 1;
    }
    const double end = now_ms();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return fputs("failure: the command did not exit with status 0\n", stderr), 1;
    printf("exit %.1f ms\n", end - start);
    return 0;
}

typedef struct {
    int highest;    /* most colours seen before the map */
    uint8_t* last;  /* with -p: a copy of the last frame before the map */
} History;

static void remember(History* h, const Screen_* s, int colours) {
    if (colours > h->highest) h->highest = colours;
    if (h->last) memcpy(h->last, s->image->data, (size_t)s->image->bytes_per_line * s->image->height);
}

/* Polls until the area is map-like; returns the time from launch, or < 0. */
static double watch(Screen_* s, const Options* o, pid_t pid, double start, int* colours, History* h) {
    for (;;) {
        const Pixels p = grab(s);
        const double t = now_ms();
        *colours = distinct_colours(&p, o->step);
        if (*colours > o->colours) return t - start;
        remember(h, s, *colours);
        if (o->verbose) fprintf(stderr, "%8.1f ms: %d colours\n", t - start, *colours);
        if (t - start > o->deadline_ms) {
            fprintf(stderr, "failure: no map after %.0f ms (at most %d colours)\n", o->deadline_ms, h->highest);
            return -1;
        }
        if (waitpid(pid, NULL, WNOHANG) == pid) {
            fprintf(stderr, "failure: the command ended after %.0f ms without a map\n", t - start);
            return -2;
        }
        pause_ms(0.5);
    }
}

/* Waits for the area to hold no map (the previous window may still be
 * going away), at most two seconds. */
static int wait_for_clear_area(Screen_* s, const Options* o) {
    const double until = now_ms() + 2000;
    int colours;
    for (;;) {
        const Pixels p = grab(s);
        if ((colours = distinct_colours(&p, o->step)) <= o->colours) return 0;
        if (now_ms() > until) break;
        pause_ms(1);
    }
    fprintf(stderr, "failure: the area holds a map before the launch (%d colours)\n", colours);
    return -1;
}

static void write_shot(const char* path, const Screen_* s, const uint8_t* data) {
    const Pixels p = {s->image->width, s->image->height, data, s->image->bytes_per_line, 4};
    if (write_ppm(path, &p) != 0) perror("startup_x: screenshot");
}

static int time_to_map(const Options* o) {
    Screen_ s;
    int colours = 0;
    if (open_screen(&s, o) != 0 || wait_for_clear_area(&s, o) != 0) return 1;
    History h = {0, NULL};
    if (o->before_shot) h.last = calloc((size_t)s.image->bytes_per_line, s.image->height);
    const double start = now_ms();
    const pid_t pid = launch(o->command, o->child_env);
    if (pid < 0) return perror("failure: fork"), 1;
    const double ms = watch(&s, o, pid, start, &colours, &h);
    if (ms >= 0 && o->shot) write_shot(o->shot, &s, (const uint8_t*)s.image->data);
    if (ms >= 0 && h.last) write_shot(o->before_shot, &s, h.last);
    if (ms >= 0 && o->hold_ms > 0) pause_ms(o->hold_ms);
    if (ms != -2) stop(pid);
    XShmDetach(s.dpy, &s.shm);
    XCloseDisplay(s.dpy);
    free(h.last);
    if (ms < 0) return 1;
    printf("map %.1f ms (%d colours, at most %d before)\n", ms, colours, h.highest);
    return 0;
}

int main(int argc, char** argv) {
    const Options o = parse_options(argc, argv);
    if (o.count_ppm) return count_screenshot(&o);
    if (o.exit_mode) return time_to_exit(&o);
    return time_to_map(&o);
}
