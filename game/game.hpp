// The one global game record, start-up, the fixed-step main loop and shut-down.
#pragma once

#include <type_traits>

#include "ecs/ecs.hpp"
#include "engine/event.hpp"
#include "engine/font.hpp"
#include "engine/gamepad.hpp"
#include "engine/keyboard.hpp"
#include "engine/mouse.hpp"
#include "engine/music.hpp"
#include "engine/renderer.hpp"
#include "engine/shader.hpp"
#include "engine/sound.hpp"
#include "engine/texture.hpp"
#include "engine/tick.hpp"
#include "engine/window.hpp"
#include "game/game_font.hpp"
#include "game/game_input.hpp"
#include "game/game_music.hpp"
#include "game/game_shader.hpp"
#include "game/game_sound.hpp"
#include "game/game_state.hpp"
#include "game/game_texture.hpp"
#include "game/s_menu.hpp"
#include "game/s_play.hpp"
#include "game/s_results.hpp"

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

struct Game {
    GameState state;
    Ecs ecs;
    Event event;
    Keyboard keyboard;
    Mouse mouse;
    Gamepad gamepad;
    GameInput input;
    Renderer renderer;
    Sound sounds[SOUND_COUNT];
    Texture textures[TEXTURE_COUNT];
    Music musics[MUSIC_COUNT];
    Shader shaders[SHADER_COUNT];
    Font fonts[FONT_COUNT];
    Tick tick;
    Window window;
    PlayScene play;
    MenuScene menu;
    ResultsScene results;
    vec4 bounds;
    GameDrawn drawn;
    bool quit;
    bool paused;
    bool music_toggle;
};

static_assert(std::is_trivially_copyable_v<Game>);

extern Game game;

inline constexpr const char *WINDOW_TITLE = "Gyrel+";
inline constexpr vec2 WINDOW_SIZE = {1280.0f, 720.0f};

void game_init();
// One frame on the clock of now.
void game_loop();
// Desktop only, after each frame: waits for the next refresh where the swap did not.
void game_pace();
void game_free();

// The pieces of game_loop, so the steps can be driven without the wall clock.
// game_frame is one frame at a clock reading: a gap longer than TICK_GAP_MAX_MS is dropped
// and, when the game was away for it, pauses play; then the steps it owes, then the draw.
// game_step runs one fixed step; game_steps_run runs steps while the accumulator holds more
// than one step; game_draw updates the window and draws one frame, alpha of the way from the
// step before the last to the last (1, the last step exactly, for a draw outside the loop).
void game_frame(const TickClock *clock);
void game_step();
void game_steps_run();
void game_draw(f32 alpha = 1.0f);

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
