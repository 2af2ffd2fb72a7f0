// The play scene: the player, its followers, the attackers, levels and scoring.
#pragma once

#include "ecs/ecs.hpp"
#include "engine/vector.hpp"

struct PlayScene {
    EntityId player;
    EntityId score_text;
    EntityId level_text;
    EntityId message_text;
    Vector enemies;
    u32 score;
    i32 level_timer;
    u32 level;
    i32 spawn_timer;
    i32 message_timer;
    bool done;
    bool spawning;
    bool message_showing;
};

void play_init(PlayScene *play);
void play_update_f(PlayScene *play);
void play_free(PlayScene *play);
void play_level_increment(PlayScene *play);
void play_score_set(PlayScene *play, i32 color_index);
void play_enemy_clear(PlayScene *play, bool particles);
