#include "engine/gamepad.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr f32 AXIS_FULL = 32767.0f;
constexpr f32 AXIS_PRESSED = 0.5f;
// The stick has to travel this much between two steps to count as moved.
constexpr f32 STICK_MOVED = 0.05f;

f32 axis_get(SDL_GameController *pad, SDL_GameControllerAxis axis) {
    return std::clamp(static_cast<f32>(SDL_GameControllerGetAxis(pad, axis)) / AXIS_FULL, -1.0f, 1.0f);
}

// The stick past the dead zone, rescaled so the tilt still runs from 0 to 1.
vec2 stick_get(SDL_GameController *pad) {
    vec2 raw = {axis_get(pad, SDL_CONTROLLER_AXIS_LEFTX), axis_get(pad, SDL_CONTROLLER_AXIS_LEFTY)};
    f32 tilt = glm::length(raw);
    if (tilt < GAMEPAD_STICK_DEAD_ZONE) return {0.0f, 0.0f};
    f32 scaled = std::min(1.0f, (tilt - GAMEPAD_STICK_DEAD_ZONE) / (1.0f - GAMEPAD_STICK_DEAD_ZONE));
    return raw * (scaled / tilt);
}

bool pad_is_open(const Gamepad *gamepad, SDL_JoystickID id) {
    for (SDL_GameController *pad : gamepad->pads) {
        if (pad && SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad)) == id) return true;
    }
    return false;
}

void pads_plug(Gamepad *gamepad) {
    for (u32 i = 0; i < GAMEPAD_MAX; i++) {
        SDL_GameController *pad = gamepad->pads[i];
        if (!pad || SDL_GameControllerGetAttached(pad)) continue;
        std::printf("GAMEPAD REMOVED: %s\n", SDL_GameControllerName(pad) ? SDL_GameControllerName(pad) : "?");
        if (gamepad->playing == pad) gamepad->playing = nullptr;
        SDL_GameControllerClose(pad);
        gamepad->pads[i] = nullptr;
        gamepad->lost = true;
    }
    int count = SDL_NumJoysticks();
    for (int device = 0; device < count; device++) {
        if (!SDL_IsGameController(device) || pad_is_open(gamepad, SDL_JoystickGetDeviceInstanceID(device))) continue;
        SDL_GameController **slot = std::find(gamepad->pads, gamepad->pads + GAMEPAD_MAX, nullptr);
        if (slot == gamepad->pads + GAMEPAD_MAX) return; // more pads than players: the rest wait
        *slot = SDL_GameControllerOpen(device);
        if (*slot) {
            std::printf("GAMEPAD ADDED: %s\n", SDL_GameControllerName(*slot) ? SDL_GameControllerName(*slot) : "?");
        } else {
            std::printf("GAMEPAD ERROR: %s\n", SDL_GetError());
        }
    }
}

} // namespace

void gamepad_init() {
    // The confirming button is the one at the bottom of the face, whatever is printed on it.
    SDL_SetHint(SDL_HINT_GAMECONTROLLER_USE_BUTTON_LABELS, "0");
#ifdef __EMSCRIPTEN__
    // SDL counts the page as in the background until the canvas itself is focused, which a
    // thumb on the touch controls never does; the browser already keeps pads from pages that
    // are not in front.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
#endif
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        std::printf("GAMEPAD ERROR: %s (playing without pads)\n", SDL_GetError());
    }
}

void gamepad_update(Gamepad *gamepad) {
    for (u32 i = 0; i < GAMEPAD_INPUT_COUNT; i++) {
        gamepad->previous[i] = gamepad->current[i];
        gamepad->current[i] = false;
    }
    gamepad->stick_previous = gamepad->stick;
    gamepad->stick = {0.0f, 0.0f};
    gamepad->lost = false;
    if (SDL_WasInit(SDL_INIT_GAMECONTROLLER)) pads_plug(gamepad);

    for (SDL_GameController *pad : gamepad->pads) {
        if (!pad) continue;
        bool in[GAMEPAD_INPUT_COUNT] = {};
        for (u32 button = 0; button < SDL_CONTROLLER_BUTTON_MAX; button++) {
            in[button] = SDL_GameControllerGetButton(pad, static_cast<SDL_GameControllerButton>(button)) != 0;
        }
        in[GAMEPAD_TRIGGER_LEFT] = axis_get(pad, SDL_CONTROLLER_AXIS_TRIGGERLEFT) > AXIS_PRESSED;
        in[GAMEPAD_TRIGGER_RIGHT] = axis_get(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT) > AXIS_PRESSED;
        in[GAMEPAD_RIGHT_STICK_LEFT] = axis_get(pad, SDL_CONTROLLER_AXIS_RIGHTX) < -AXIS_PRESSED;
        in[GAMEPAD_RIGHT_STICK_RIGHT] = axis_get(pad, SDL_CONTROLLER_AXIS_RIGHTX) > AXIS_PRESSED;
        vec2 stick = stick_get(pad);
        bool any = stick != vec2{0.0f, 0.0f};
        for (u32 i = 0; i < GAMEPAD_INPUT_COUNT; i++) {
            gamepad->current[i] |= in[i];
            any |= in[i];
        }
        // With two pads in hand the more tilted stick steers.
        if (glm::length(stick) > glm::length(gamepad->stick)) gamepad->stick = stick;
        if (any) gamepad->playing = pad;
    }
}

void gamepad_free(Gamepad *gamepad) {
    for (SDL_GameController *&pad : gamepad->pads) {
        if (pad) SDL_GameControllerClose(pad);
        pad = nullptr;
    }
    gamepad->playing = nullptr;
}

bool gamepad_press(const Gamepad *gamepad, u32 input) { return gamepad->current[input] && !gamepad->previous[input]; }
bool gamepad_held(const Gamepad *gamepad, u32 input) { return gamepad->current[input] && gamepad->previous[input]; }

bool gamepad_stick_moved(const Gamepad *gamepad) {
    if (gamepad->stick == vec2{0.0f, 0.0f}) return false;
    return gamepad->stick_previous == vec2{0.0f, 0.0f} || glm::length(gamepad->stick - gamepad->stick_previous) > STICK_MOVED;
}

void gamepad_rumble(const Gamepad *gamepad, u16 strength, u32 ms) {
    if (gamepad->playing) SDL_GameControllerRumble(gamepad->playing, strength, strength, ms);
}
