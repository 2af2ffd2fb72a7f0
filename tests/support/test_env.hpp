// Test support: a real hidden window with a 3.3 core context for the whole test program,
// and helpers that reset the global game record around it.
#pragma once

#include <string>

#include "engine/types.hpp"

// Clears the game record (keeping the test window and renderer), registers every kind
// and zeroes the entity counter.
void test_game_reset();

// Loads every shader, texture, sound, music track and font slot from res/, quietly.
void test_resources_load();
void test_resources_free();

// Starts capturing standard output; test_stdout_end returns what was printed since.
void test_stdout_begin();
std::string test_stdout_end();

// Makes a fresh, empty folder in the system's temporary folder, named from stem, and returns
// its path (empty on failure). The caller removes it.
std::string test_temp_dir(const std::string &stem);

// Runs n fixed steps of the component update (no scene update, no input).
void test_ecs_steps(i32 n);

// The RGBA pixel at window coordinates (x, y from the top) of the back buffer after drawing.
u32 test_pixel_get(i32 x, i32 y);
// Clears, draws every record and reads the frame back (without presenting).
void test_frame_draw();
