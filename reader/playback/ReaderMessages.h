#pragma once

#include <windows.h>

// Messages that the player's threads post to the main window, whose thread
// alone colours the page. wParam is the segment's index in the table, lParam
// the number of the playback that the notice belongs to
// (BookAudioPlayer::latestPlayback).
const UINT SegmentStartedMessage = WM_APP + 100;
const UINT SegmentFinishedMessage = WM_APP + 101;
