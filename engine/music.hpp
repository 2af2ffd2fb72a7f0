// Streamed music on SDL_mixer's single music channel.
#pragma once

#include <SDL2/SDL_mixer.h>

struct Music {
    Mix_Music *music;
    bool loaded;
};

bool music_init(Music *music, const char *path);
void music_free(Music *music);
void music_play(const Music *music, bool loop);
void music_pause();
void music_resume();
void music_stop();
bool music_is_playing();
// Silences the music and the effects together while the window is out of sight, without
// pausing or stopping anything: the M switch and what plays stay as they are, and the volumes
// they had come back when it is set false. Setting what is already set does nothing.
void music_sound_silence_set(bool silent);
