// The results scene: the final score and a button back to the menu.
#pragma once

#include "ecs/ecs.hpp"

struct ResultsScene {
    EntityId score_text;
    EntityId menu_button;
    bool done;
    u32 score;
};

void results_init(ResultsScene *results);
void results_update_f(ResultsScene *results);
void results_free(ResultsScene *results);
