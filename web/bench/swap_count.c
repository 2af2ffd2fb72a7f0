// Preloaded into the desktop game by web/bench/run: counts the frames it presents, so its frame
// rate can stand beside the browser's. Prints "frames N SECONDS" to standard error every 30.
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <time.h>

typedef struct SDL_Window SDL_Window;

void SDL_GL_SwapWindow(SDL_Window *window) {
    static void (*real)(SDL_Window *);
    static unsigned long frames;
    if (!real) *(void **)&real = dlsym(RTLD_NEXT, "SDL_GL_SwapWindow");
    real(window);
    if (++frames % 30 == 0) {
        struct timespec now;
        clock_gettime(CLOCK_MONOTONIC, &now);
        fprintf(stderr, "frames %lu %.3f\n", frames, now.tv_sec + now.tv_nsec / 1e9);
    }
}
