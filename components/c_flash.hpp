// Flash: drives the background clear colour through a waveform, then restores a base colour.
#pragma once

#include "ecs/ecs.hpp"

enum FlashType : i32 {
    FLASH_FADE_OUT = 0,
    FLASH_FADE_IN = 1,
    FLASH_PULSE = 2,
};

struct CFlash {
    EntityId entity;
    bool done;
    FlashType type;
    i32 timer;
    i32 duration;
    vec4 base_color;
    vec4 color;
};

// The component storage moves records as plain bytes.
static_assert(std::is_trivially_copyable_v<CFlash>);

void c_flash_register();
void c_flash_set(CFlash *flash, const vec4 *base_color, const vec4 *color, i32 duration, FlashType type);
