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

void sound_play(const Sound *sound, int channel) {
    if (!sound->chunk) return;
    Mix_PlayChannel(channel, sound->chunk, 0);
}
