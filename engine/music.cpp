#include "engine/music.hpp"

bool music_init(Music *music, const char *path) {
    music->music = Mix_LoadMUS(path);
    if (!music->music) return false;
    music->loaded = true;
    return true;
}

void music_free(Music *music) {
    if (!music->loaded) return;
    Mix_FreeMusic(music->music);
    music->music = nullptr;
    music->loaded = false;
}

void music_play(const Music *music, bool loop) {
    if (!music->music) return;
    Mix_PlayMusic(music->music, loop ? -1 : 0);
}

void music_pause() { Mix_PauseMusic(); }
void music_resume() { Mix_ResumeMusic(); }
void music_stop() { Mix_HaltMusic(); }
bool music_is_playing() { return Mix_PlayingMusic() != 0; }

namespace {

bool silenced = false;
int music_volume = MIX_MAX_VOLUME;
int sound_volume = MIX_MAX_VOLUME;

} // namespace

void music_sound_silence_set(bool silent) {
    if (silent == silenced) return;
    silenced = silent;
    if (silent) {
        music_volume = Mix_VolumeMusic(0);
        sound_volume = Mix_MasterVolume(0);
    } else {
        Mix_VolumeMusic(music_volume);
        Mix_MasterVolume(sound_volume);
    }
}
