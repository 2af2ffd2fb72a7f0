// Short sound effects decoded into memory and played on a free mixer channel.
#pragma once

#include <SDL2/SDL_mixer.h>

struct Sound {
    Mix_Chunk *chunk;
    bool loaded;
};

bool sound_init(Sound *sound, const char *path);
void sound_free(Sound *sound);
void sound_play(const Sound *sound, int channel);
