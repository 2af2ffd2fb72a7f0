#include "engine/keyboard.hpp"

#include <SDL2/SDL.h>
#include <cstring>

void keyboard_update(Keyboard *keyboard) {
    std::memcpy(keyboard->previous, keyboard->current, KEYBOARD_KEY_COUNT);
    int count = 0;
    const Uint8 *state = SDL_GetKeyboardState(&count);
    std::memset(keyboard->current, 0, KEYBOARD_KEY_COUNT);
    if (state) std::memcpy(keyboard->current, state, count < static_cast<int>(KEYBOARD_KEY_COUNT) ? count : KEYBOARD_KEY_COUNT);
}

bool keyboard_press(const Keyboard *keyboard, u32 scancode) {
    return keyboard->current[scancode] && !keyboard->previous[scancode];
}
bool keyboard_held(const Keyboard *keyboard, u32 scancode) {
    return keyboard->current[scancode] && keyboard->previous[scancode];
}
bool keyboard_release(const Keyboard *keyboard, u32 scancode) {
    return !keyboard->current[scancode] && keyboard->previous[scancode];
}
