#include "engine/sdl.hpp"

#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>
#include <SDL2/SDL_mixer.h>
#include <SDL2/SDL_ttf.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/gamepad.hpp"

namespace {

// With no display SDL quietly falls back to a driver that shows nothing (offscreen or
// dummy), and the game would run unseen. Only a driver asked for by name is accepted.
bool video_driver_invisible() {
    const char *driver = SDL_GetCurrentVideoDriver();
    if (!driver) return true;
    if (std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0) return false;
    const char *requested = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    return !requested || !std::strstr(requested, driver);
}

[[noreturn]] void fail(const char *format) { sdl_start_fail(format, SDL_GetError()); }

} // namespace

void sdl_init() {
#ifdef _WIN32
    // The manifest already makes the process per-monitor DPI-aware; the hint says the same for a
    // build without it. With scaling on, window sizes and the pointer are in points and the GL
    // drawable in pixels, as on the other platforms, so the window opens at a sensible size on a
    // dense display and the field is drawn at full density.
    SDL_SetHint(SDL_HINT_WINDOWS_DPI_AWARENESS, "permonitorv2");
    SDL_SetHint(SDL_HINT_WINDOWS_DPI_SCALING, "1");
#endif
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) fail("SDL2 VIDEO ERROR: %s\n");
    if (video_driver_invisible()) {
        SDL_SetError("no display available (only the %s video driver started)", SDL_GetCurrentVideoDriver());
        fail("SDL2 VIDEO ERROR: %s\n");
    }
    std::printf("SDL2 VIDEO LOADED\n");
    if (SDL_InitSubSystem(SDL_INIT_TIMER) != 0) fail("SDL2 TIMER ERROR: %s\n");
    std::printf("SDL2 TIMER LOADED\n");
    gamepad_init();

    if (!(IMG_Init(IMG_INIT_PNG) & IMG_INIT_PNG)) fail("SDL_image ERROR: %s\n");
    std::printf("SDL_image LOADED\n");

    if (TTF_Init() < 0) fail("SDL_ttf ERROR: %s\n");
    std::printf("SDL_ttf LOADED\n");

    if (Mix_OpenAudio(44100, AUDIO_S16LSB, 8, 2048) < 0) fail("SDL_mixer ERROR: %s\n");
    std::printf("SDL_mixer LOADED\n");

#ifdef __EMSCRIPTEN__
    // The browser offers WebGL2, which is OpenGL ES 3.0.
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_ES);
#else
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
#endif
}

void sdl_start_fail(const char *format, const char *detail) {
    char line[1024];
    std::snprintf(line, sizeof line, format, detail);
    std::fputs(line, stdout);
#ifdef _WIN32
    std::fflush(stdout);
    line[std::strcspn(line, "\n")] = 0;
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Gyrel+", line, nullptr);
#endif
    std::exit(1);
}

void sdl_quit() {
    SDL_Quit();
    Mix_CloseAudio();
    IMG_Quit();
}
