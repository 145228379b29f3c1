#include "reader/playback/BookAudioPlayer.h"

#include "document/BookData.h"
#include "edition/EditionHooks.h"
#include "reader/playback/ReaderMessages.h"
#include "reader/window/ReaderWindow.h"
#include "sound/PlayerGlobals.h"

BookAudioPlayer::BookAudioPlayer(ReaderWindow* owner)
    : m_owner(owner),
      m_start_segment(0),
      m_requested_playback(0),
      m_sounding_playback(0),
      m_chain(BookData::instance().segments())
{}

BookAudioPlayer::~BookAudioPlayer()
{
    // No thread may call into this object once it is gone.
    shutdown(INFINITE);
}

HANDLE BookAudioPlayer::playFrom(int32_t segment)
{
    CriticalSectionLock lock(m_start_lock);
    m_start_segment = segment;
    ++m_requested_playback;
    return startThread();
}

bool BookAudioPlayer::firstItem()
{
    int32_t start = 0;
    {
        // The blocks of the playback before have all played: their notices
        // are posted with its number already.
        CriticalSectionLock lock(m_start_lock);
        start = m_start_segment;
        m_sounding_playback = m_requested_playback;
    }
    AudioSegment segment;
    m_chain.firstItem(start, segment);
    setItem(SegmentPlayItem(segment, m_chain.currentSegment()));
    return true;
}

bool BookAudioPlayer::nextItem()
{
    AudioSegment segment;
    // The track opened last is the one of the segment just queued.
    const bool more = m_chain.nextItem(fileDuration(), segment);
    setItem(SegmentPlayItem(segment, m_chain.currentSegment()));
    return more;
}

void BookAudioPlayer::onSegmentFinished(int32_t segment)
{
    postToOwner(SegmentFinishedMessage, segment);
}

void BookAudioPlayer::onSegmentStarted(int32_t segment)
{
    postToOwner(SegmentStartedMessage, segment);
}

void BookAudioPlayer::onAudioFileMissing()
{
    showAudioEditionDialog(m_owner);
}

void BookAudioPlayer::postToOwner(UINT message, int32_t segment)
{
    // A pause concerns no segment.
    if (segment == -1 || m_owner == nullptr)
        return;
    // Posted, never sent: the window thread may be waiting for this thread.
    // A window already destroyed at exit just refuses the message.
    PostMessageW(m_owner->hwnd(), message, static_cast<WPARAM>(static_cast<uint32_t>(segment)),
                 static_cast<LPARAM>(m_sounding_playback.load()));
}
