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
#include "game/game_drawn.hpp"
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
