#include "game/game_input.hpp"

#include <SDL2/SDL.h>

#include <span>

#include "game/game.hpp"

namespace {

enum Device : u8 {
    DEVICE_KEY,           // an SDL scancode
    DEVICE_MOUSE,         // a mouse button (fingers press the left one)
    DEVICE_PAD,           // a pad input, merged over every pad
    DEVICE_WINDOW,        // a window event, set for the one step that saw it
};

struct Binding {
    Device device;
    u32 code;
};

constexpr Binding SPIN_LEFT[] = {
    {DEVICE_KEY, SDL_SCANCODE_LEFT},
    {DEVICE_KEY, SDL_SCANCODE_A},
    {DEVICE_PAD, SDL_CONTROLLER_BUTTON_LEFTSHOULDER},
    {DEVICE_PAD, SDL_CONTROLLER_BUTTON_DPAD_LEFT},
    {DEVICE_PAD, GAMEPAD_TRIGGER_LEFT},
    {DEVICE_PAD, GAMEPAD_RIGHT_STICK_LEFT},
};
constexpr Binding SPIN_RIGHT[] = {
    {DEVICE_KEY, SDL_SCANCODE_RIGHT},
    {DEVICE_KEY, SDL_SCANCODE_D},
    {DEVICE_PAD, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER},
    {DEVICE_PAD, SDL_CONTROLLER_BUTTON_DPAD_RIGHT},
    {DEVICE_PAD, GAMEPAD_TRIGGER_RIGHT},
    {DEVICE_PAD, GAMEPAD_RIGHT_STICK_RIGHT},
};
constexpr Binding CONFIRM[] = {{DEVICE_KEY, SDL_SCANCODE_SPACE}, {DEVICE_PAD, SDL_CONTROLLER_BUTTON_A}};
constexpr Binding CLICK[] = {{DEVICE_MOUSE, MOUSE_BUTTON_LEFT}};
constexpr Binding PAUSE[] = {{DEVICE_KEY, SDL_SCANCODE_P}, {DEVICE_PAD, SDL_CONTROLLER_BUTTON_START}};
constexpr Binding MUSIC[] = {{DEVICE_KEY, SDL_SCANCODE_M}, {DEVICE_PAD, SDL_CONTROLLER_BUTTON_BACK}};
constexpr Binding FULLSCREEN[] = {{DEVICE_WINDOW, EVENT_FULLSCREEN}};

constexpr std::span<const Binding> BINDINGS[ACTION_COUNT] = {SPIN_LEFT, SPIN_RIGHT, CONFIRM, CLICK,
                                                             PAUSE,     MUSIC,      FULLSCREEN};

// Full tilt pushes toward a point this far from the centre (in -1 ... 1 field units): just
// past what the centre's top speed needs, so the whole travel of the stick sets the speed.
constexpr f32 STICK_REACH = 0.025f;
constexpr u16 RUMBLE_STRENGTH = 0xC000;
constexpr u32 RUMBLE_MS = 200;

bool binding_press(const Binding &binding) {
    switch (binding.device) {
    case DEVICE_KEY: return keyboard_press(&game.keyboard, binding.code);
    case DEVICE_MOUSE: return mouse_press(&game.mouse, binding.code);
    case DEVICE_PAD: return gamepad_press(&game.gamepad, binding.code);
    // Two requests in consecutive steps are two requests.
    case DEVICE_WINDOW: return game.event.current[binding.code];
    }
    return false;
}

bool binding_held(const Binding &binding) {
    switch (binding.device) {
    case DEVICE_KEY: return keyboard_held(&game.keyboard, binding.code);
    case DEVICE_MOUSE: return mouse_held(&game.mouse, binding.code);
    case DEVICE_PAD: return gamepad_held(&game.gamepad, binding.code);
    case DEVICE_WINDOW: return event_held(&game.event, binding.code);
    }
    return false;
}

} // namespace

bool game_input_press(u32 action) {
    if (action >= ACTION_COUNT) return false;
    for (const Binding &binding : BINDINGS[action]) {
        if (binding_press(binding)) return true;
    }
    return false;
}

bool game_input_held(u32 action) {
    if (action >= ACTION_COUNT) return false;
    for (const Binding &binding : BINDINGS[action]) {
        if (binding_held(binding)) return true;
    }
    return false;
}

vec2 game_input_pointer() { return game.mouse.position; }

bool game_input_steer(const vec2 *from, vec2 *target) {
    if (game.input.pad_steering) {
        *target = *from + game.gamepad.stick * STICK_REACH * (game.window.field * 0.5f);
        return true;
    }
    if (game.event.pointer_touch) return false;
    *target = game.mouse.position;
    return true;
}

bool game_input_lost() { return game.gamepad.lost; }

void game_input_rumble() { gamepad_rumble(&game.gamepad, RUMBLE_STRENGTH, RUMBLE_MS); }

void game_input_update() {
    GameInput *input = &game.input;
    if (game.event.current[EVENT_MOUSE]) input->pad_steering = false;
    if (gamepad_stick_moved(&game.gamepad)) input->pad_steering = true;
    if (input->pad_steering != input->cursor_hidden) {
        SDL_ShowCursor(input->pad_steering ? SDL_DISABLE : SDL_ENABLE);
        input->cursor_hidden = input->pad_steering;
    }
}

void game_input_free() {
    if (game.input.cursor_hidden) SDL_ShowCursor(SDL_ENABLE);
    game.input.cursor_hidden = false;
}
