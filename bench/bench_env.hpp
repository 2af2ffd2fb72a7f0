// Benchmark support: a real window with a 3.3 core context, the registry and the game's
// own resources, set up once for the whole benchmark program.
#pragma once

// Clears every kind's records (releasing what they own) and puts the mouse where the
// player should stay, so a rebuilt scene starts from the same state every time.
void bench_scene_clear();

// Puts standard output aside (true) or back (false): the resource lines stay out of the report.
void bench_quiet(bool quiet);
// Frees or loads every shader, texture, sound and font slot, as the set-up does: a benchmark
// that enters a state lets the state load its own set.
void bench_resources_free();
void bench_resources_load();
