#include "game/game_state.hpp"

#include "game/game.hpp"

namespace {

constexpr u32 STATE_MENU_FONTS[] = {FONT_SMALL, FONT_LARGE};
constexpr u32 STATE_MENU_SHADERS[] = {SHADER_TEXTURE_QUAD};
constexpr u32 STATE_MENU_SOUNDS[] = {SOUND_HOVER, SOUND_SELECT};
constexpr u32 STATE_MENU_TEXTURES[] = {TEXTURE_LOGO};

constexpr u32 STATE_PLAY_FONTS[] = {FONT_SMALL, FONT_LARGE};
constexpr u32 STATE_PLAY_MUSIC[] = {MUSIC_ETHNICA};
constexpr u32 STATE_PLAY_SHADERS[] = {SHADER_TEXTURE_QUAD};
constexpr u32 STATE_PLAY_SOUNDS[] = {SOUND_COLLIDE, SOUND_LEVEL, SOUND_HURT, SOUND_WARNING};
constexpr u32 STATE_PLAY_TEXTURES[] = {TEXTURE_PLAYER, TEXTURE_FOLLOWER, TEXTURE_ENEMY, TEXTURE_PARTICLE,
                                       TEXTURE_WARNING};

constexpr u32 STATE_RESULTS_FONTS[] = {FONT_LARGE};
constexpr u32 STATE_RESULTS_SHADERS[] = {SHADER_TEXTURE_QUAD};
constexpr u32 STATE_RESULTS_SOUNDS[] = {SOUND_HOVER, SOUND_SELECT};

template <size_t N>
constexpr u32 count_of(const u32 (&)[N]) {
    return N;
}

using ResourceFunction = void (*)(u32 index);

void resources_walk(const u32 *indexes, u32 count, ResourceFunction function) {
    for (u32 i = 0; i < count; i++) function(indexes[i]);
}

} // namespace

const std::array<StateData, GAME_STATE_COUNT> STATE_DATA = {{
    {STATE_MENU_FONTS, nullptr, STATE_MENU_SHADERS, STATE_MENU_SOUNDS, STATE_MENU_TEXTURES,
     count_of(STATE_MENU_FONTS), 0, count_of(STATE_MENU_SHADERS), count_of(STATE_MENU_SOUNDS),
     count_of(STATE_MENU_TEXTURES)},
    {STATE_PLAY_FONTS, STATE_PLAY_MUSIC, STATE_PLAY_SHADERS, STATE_PLAY_SOUNDS, STATE_PLAY_TEXTURES,
     count_of(STATE_PLAY_FONTS), count_of(STATE_PLAY_MUSIC), count_of(STATE_PLAY_SHADERS),
     count_of(STATE_PLAY_SOUNDS), count_of(STATE_PLAY_TEXTURES)},
    {STATE_RESULTS_FONTS, nullptr, STATE_RESULTS_SHADERS, STATE_RESULTS_SOUNDS, nullptr,
     count_of(STATE_RESULTS_FONTS), 0, count_of(STATE_RESULTS_SHADERS), count_of(STATE_RESULTS_SOUNDS), 0},
}};

void game_state_data_init() {
    const StateData &data = STATE_DATA[game.state];
    resources_walk(data.shaders, data.shader_count, game_shader_init);
    resources_walk(data.textures, data.texture_count, game_texture_init);
    resources_walk(data.sounds, data.sound_count, game_sound_init);
    resources_walk(data.musics, data.music_count, game_music_init);
    resources_walk(data.fonts, data.font_count, game_font_init);
}

void game_state_data_free() {
    const StateData &data = STATE_DATA[game.state];
    resources_walk(data.shaders, data.shader_count, game_shader_free);
    resources_walk(data.textures, data.texture_count, game_texture_free);
    resources_walk(data.sounds, data.sound_count, game_sound_free);
    resources_walk(data.musics, data.music_count, game_music_free);
    resources_walk(data.fonts, data.font_count, game_font_free);
}

void game_state_init() {
    switch (game.state) {
    case GAME_STATE_MENU:
        menu_init(&game.menu);
        break;
    case GAME_STATE_PLAY:
        play_init(&game.play);
        break;
    case GAME_STATE_RESULTS:
        results_init(&game.results);
        break;
    default:
        break;
    }
}

void game_state_free() {
    switch (game.state) {
    case GAME_STATE_MENU:
        menu_free(&game.menu);
        break;
    case GAME_STATE_PLAY:
        play_free(&game.play);
        break;
    case GAME_STATE_RESULTS:
        results_free(&game.results);
        break;
    default:
        break;
    }
}

void game_state_update_f() {
    bool done = false;
    GameState next = game.state;
    switch (game.state) {
    case GAME_STATE_MENU:
        menu_update_f(&game.menu);
        done = game.menu.done;
        next = GAME_STATE_PLAY;
        break;
    case GAME_STATE_PLAY:
        play_update_f(&game.play);
        done = game.play.done;
        next = GAME_STATE_RESULTS;
        break;
    case GAME_STATE_RESULTS:
        results_update_f(&game.results);
        done = game.results.done;
        next = GAME_STATE_MENU;
        break;
    default:
        return;
    }
    if (!done) return;

    if (game.state == GAME_STATE_PLAY) game.results.score = game.play.score;
    game_state_free();
    game_state_data_free();
    ecs_clear_all();
    game.state = next;
    game_state_data_init();
    game_state_init();
}
