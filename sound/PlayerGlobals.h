#pragma once

#include "core/TrackTime.h"
#include "core/WinApiCriticalSection.h"

// The sound player's one lock: held by the player thread while it reads and
// hands over a block, and by the completion handling for its whole body.
extern WinApiCriticalSection& g_player_lock;

// Duration of the track that the player opened last; 0:0:0:0 before the first.
extern TrackTime& g_file_duration;

TrackTime fileDuration();
