#include "game/s_results.hpp"

#include <array>
#include <cstdio>
#include <cstring>

#include "components/c_ui_button.hpp"
#include "ecs/entity.hpp"
#include "entities/e_text.hpp"
#include "entities/e_ui_button.hpp"
#include "game/game.hpp"
#include "game/game_input.hpp"

namespace {

constexpr std::array<vec4, 6> C_COLOR_VALUES = {{
    {0.3f, 1.0f, 0.3f, 1.0f},
    {0.2f, 0.5f, 0.8f, 1.0f},
    {1.0f, 0.2f, 0.2f, 1.0f},
    {1.0f, 1.0f, 0.3f, 1.0f},
    {1.0f, 0.2f, 0.9f, 1.0f},
    {0.2f, 1.0f, 0.9f, 1.0f},
}};
constexpr vec4 COLOR_OPAQUE = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr vec3 RESULTS_SCORE_POSITION = {640.0f, 200.0f, 0.0f};
constexpr vec3 RESULTS_MENU_POSITION = {640.0f, 600.0f, 0.0f};

} // namespace

void results_init(ResultsScene *results) {
    results->score_text = 0;
    results->menu_button = 0;
    results->done = false;

    char buffer[255] = {};
    std::snprintf(buffer, sizeof buffer, "Your Score: %u", results->score);
    results->score_text = entity_add();
    results->menu_button = entity_add();
    text_init(results->score_text, ORIGIN_CENTER, game.fonts[FONT_LARGE], buffer, static_cast<i32>(std::strlen(buffer)),
              -1, &C_COLOR_VALUES[0], &RESULTS_SCORE_POSITION);
    ui_button_init(results->menu_button, ORIGIN_CENTER, game.fonts[FONT_LARGE], "Menu", 4, &C_COLOR_VALUES[0],
                   &COLOR_OPAQUE, &RESULTS_MENU_POSITION);
}

void results_update_f(ResultsScene *results) {
    const CUiButton *button = ecs_get_as<CUiButton>(results->menu_button, C_UI_BUTTON);
    if (button && button->selected) results->done = true;
    if (game_input_press(ACTION_CONFIRM)) {
        results->done = true;
    }
}

void results_free(ResultsScene *results) {
    entity_delete(results->score_text);
    entity_delete(results->menu_button);
}
