// Drives the real scenes in-process with made-up input, and checks the component storage
// for overfull kinds and half-built entities.
#pragma once

#include <string>

#include "engine/types.hpp"
#include "game/game.hpp"

struct RobustInput {
    vec2 mouse;
    bool mouse_left;
    bool space;
    bool left;
    bool right;
    bool pause;
    bool music;
};

// One fixed step as the main loop runs it, with the input given instead of SDL's.
void robust_step(const RobustInput &input);
// Steps with no keys held and the pointer at the centre of the field.
void robust_idle(i32 steps);

// Enters the menu as start-up does (resources loaded, scene built); the resource slots
// must be empty. robust_game_end frees the current scene and its resources as shut-down does.
void robust_game_begin();
void robust_game_end();

// Presses Space on the menu and waits for the play scene.
bool robust_menu_leave(i32 steps_max);
// Takes the player's last health point and waits for the results scene.
bool robust_play_lose(i32 steps_max);
// Presses Space on the results screen and waits for the menu.
bool robust_results_leave(i32 steps_max);

// Empty when no kind is overfull, no entity holds two records of one kind and every
// attacker, follower, particle, warning and game object is whole; otherwise what is wrong.
std::string robust_records_check();

// Record count of every kind, as one string such as "3:1 22:2 24:2".
std::string robust_kind_counts();

// The record counts of a menu freshly entered; the game is left as it was, with no scene.
std::string robust_menu_reference();
