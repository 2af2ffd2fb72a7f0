// Drawing between the last two steps: a copy of what each sprite and text drew at the end of
// the last two steps, the blends a frame draws with, and whether the picture on screen is still
// the one a frame would draw.
#pragma once

#include "ecs/ecs.hpp"
#include "engine/types.hpp"

// What a sprite and a text drew at the end of one step, keyed by entity id, so a frame can
// draw between the last two steps. Only the drawn fields are kept; `mark` sums up what makes a
// drawn value jump by design (see game_drawn_refresh), and a jump is drawn as stepped.
struct DrawnEntry {
    EntityId entity;
    u32 mark;
    bool mark_changed;
    bool stepped;
    bool sprite;
    bool text;
    vec3 position;
    vec2 size;
    vec4 color;
    f32 scale;
    f32 rotation;
    vec3 text_position;
    vec4 text_color;
};

constexpr u32 DRAWN_ENTRY_MAX = 2 * ECS_RECORD_CAPACITY;
constexpr u32 DRAWN_SLOTS = 1024; // a power of two, twice the entries

struct DrawnTable {
    DrawnEntry entries[DRAWN_ENTRY_MAX];
    u16 slots[DRAWN_SLOTS]; // position + 1 of the entity's entry; 0 marks an empty slot
    u32 count;
};

// tables[last] holds the last step, the other one the step before it. `behind` is how far the
// frame being drawn is back from the last step toward the one before: 0 (the last step exactly)
// outside the loop's draw, so a cleared record draws exactly too.
//
// `records` sums up every drawn field of the last step's sprites and texts, and `still` says the
// step before left the same: then a frame draws the same picture wherever it falls between
// them. `shown` sums up the still picture last put on screen (`shown_valid`), at `shown_micros`;
// `pictures` counts the pictures the loop has drawn.
struct GameDrawn {
    DrawnTable tables[2];
    u32 last;
    i32 state;
    f32 behind;
    u32 records;
    bool still;
    u32 shown;
    bool shown_valid;
    u64 shown_micros;
    u64 pictures;
};

// The previous-step copy: game_drawn_refresh runs at the end of every step, paused or not;
// game_drawn_cut forgets it (a reset, a change of scene), so the next frame draws as stepped.
void game_drawn_refresh();
void game_drawn_cut();
// For an entity's draw: the entry of the step before the last, or null when the entity is to
// be drawn as the last step left it (new, jumped by design, or no loop around the draw).
const DrawnEntry *game_drawn_previous(EntityId entity);
// Blends between the two steps for the frame being drawn; rotations go the shorter way round.
f32 game_drawn_blend(f32 previous, f32 last);
f32 game_drawn_blend_angle(f32 previous, f32 last);
vec3 game_drawn_blend(vec3 previous, vec3 last);
vec4 game_drawn_blend(vec4 previous, vec4 last);
// Whether the picture on screen is the one a frame would draw now, pixel for pixel (desktop:
// the loop then leaves it there); remembers the still picture it is about to draw otherwise.
bool game_drawn_on_screen(u64 now_micros);
