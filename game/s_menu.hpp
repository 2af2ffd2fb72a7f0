// The menu scene: logo intro, then the "Start" button and the credits.
#pragma once

#include "ecs/ecs.hpp"

struct MenuScene {
    EntityId logo;
    EntityId start_button;
    EntityId credits;
    bool shown;
    bool logo_done;
    bool done;
};

void menu_init(MenuScene *menu);
void menu_update_f(MenuScene *menu);
void menu_free(MenuScene *menu);
