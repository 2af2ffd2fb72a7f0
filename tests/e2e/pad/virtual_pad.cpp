// Preloaded into the real game by the gamepad end-to-end test: plugs a virtual controller into
// SDL on the game's first poll of the event queue and then plays it as the test script says,
// one command a line through a FIFO ($GYREL_PAD_FIFO), read without blocking on every poll:
//   axis <SDL_GameControllerAxis> <-1 ... 1>   button <SDL_GameControllerButton> <0|1>
//   attach   detach
// Rumbles the game asks for are written to $GYREL_PAD_LOG as "rumble <low> <high>".
// Nothing of this is in the game: it only sees a pad, as it would see one on USB.
#include <SDL2/SDL.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/support/virtual_pad.hpp"

namespace {

using PollEvent = int (*)(SDL_Event *);

PollEvent real_poll = nullptr;
SDL_Joystick *pad = nullptr;
int fifo = -1;
std::string pending;
bool started = false;

int rumble(void *, Uint16 low, Uint16 high) {
    if (const char *path = std::getenv("GYREL_PAD_LOG")) {
        if (FILE *log = std::fopen(path, "a")) {
            std::fprintf(log, "rumble %u %u\n", low, high);
            std::fclose(log);
        }
    }
    return 0;
}

void attach() {
    if (pad) return;
    int device = virtual_pad_attach("Virtual test pad", rumble, nullptr);
    if (device >= 0) pad = SDL_JoystickOpen(device);
    if (!pad) {
        std::fprintf(stderr, "virtual pad: %s\n", SDL_GetError());
        return;
    }
    // Triggers at rest, as a real pad's are (a virtual axis starts half way along).
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERLEFT, SDL_JOYSTICK_AXIS_MIN);
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, SDL_JOYSTICK_AXIS_MIN);
}

void detach() {
    if (!pad) return;
    SDL_JoystickID id = SDL_JoystickInstanceID(pad);
    SDL_JoystickClose(pad);
    pad = nullptr;
    for (int i = 0; i < SDL_NumJoysticks(); i++) {
        if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
    }
}

void command_run(const std::string &line) {
    char word[16] = {};
    int index = 0;
    double value = 0.0;
    if (std::sscanf(line.c_str(), "%15s %d %lf", word, &index, &value) < 1) return;
    if (std::strcmp(word, "attach") == 0) {
        attach();
    } else if (std::strcmp(word, "detach") == 0) {
        detach();
    } else if (std::strcmp(word, "axis") == 0 && pad) {
        SDL_JoystickSetVirtualAxis(pad, index, static_cast<Sint16>(std::lround(std::fmax(-1.0, std::fmin(1.0, value)) * 32767.0)));
    } else if (std::strcmp(word, "button") == 0 && pad) {
        SDL_JoystickSetVirtualButton(pad, index, value != 0.0 ? 1 : 0);
    } else {
        std::fprintf(stderr, "virtual pad: unknown command: %s\n", line.c_str());
    }
}

// One command a step: a press and its release that both arrived while a slow step ran would
// otherwise meet SDL in one poll, and the press would never be seen.
void commands_read() {
    if (fifo < 0) return;
    char buffer[512];
    ssize_t n;
    while ((n = read(fifo, buffer, sizeof buffer)) > 0) pending.append(buffer, static_cast<size_t>(n));
    size_t end = pending.find('\n');
    if (end == std::string::npos) return;
    command_run(pending.substr(0, end));
    pending.erase(0, end + 1);
}

// The game polls until the queue is empty once a step: a poll after an empty one starts a step.
bool step_start = true;

} // namespace

extern "C" int SDL_PollEvent(SDL_Event *event) {
    if (!real_poll) real_poll = reinterpret_cast<PollEvent>(dlsym(RTLD_NEXT, "SDL_PollEvent"));
    if (!started) {
        started = true;
        if (const char *path = std::getenv("GYREL_PAD_FIFO")) fifo = open(path, O_RDONLY | O_NONBLOCK);
        attach();
    }
    if (step_start) commands_read();
    int result = real_poll(event);
    step_start = result == 0;
    return result;
}
