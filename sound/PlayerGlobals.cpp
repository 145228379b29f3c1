#include "sound/PlayerGlobals.h"

// Never destroyed: the player's threads and the device's completions may still
// run while the process exits, after static objects are gone.
WinApiCriticalSection& g_player_lock = *new WinApiCriticalSection;
TrackTime& g_file_duration = *new TrackTime(0, 0, 0, 0);

TrackTime fileDuration()
{
    return g_file_duration;
}
