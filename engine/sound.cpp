#include "engine/sound.hpp"

bool sound_init(Sound *sound, const char *path) {
    sound->chunk = Mix_LoadWAV(path);
    if (!sound->chunk) return false;
    sound->loaded = true;
    return true;
}

void sound_free(Sound *sound) {
    if (!sound->loaded) return;
    Mix_FreeChunk(sound->chunk);
    sound->chunk = nullptr;
    sound->loaded = false;
}

// Every effect goes to the first free channel, whatever channel is named: a busy channel
// is never cut off by a new effect.
void sound_play(const Sound *sound, [[maybe_unused]] int channel) {
    if (!sound->chunk) return;
    Mix_PlayChannel(-1, sound->chunk, 0);
}
