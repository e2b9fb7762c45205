// Sound effects and background music, played through the Platform.
#pragma once

#include <QString>

// Plays SOUNDS/<name>.WAV without waiting, cutting off the sound that plays; silent when
// Sounds is off or the file is missing.
void PlaySoundName(const QString& name);
// Closes the current piece and, for 1..11, plays that piece unless another instance of the
// program runs. Stores the index in Music and ticks its menu item.
void SetMusic(int index);
// Main-loop duty: starts the piece again once it has ended, while Music is on.
void MusicTick();
// Shut-down: silences the sound effect, and stops and releases the music.
void StopSound();
void CloseMusic();
