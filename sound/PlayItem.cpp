#include "sound/PlayItem.h"

#include <new>

#include "document/AudioSegment.h"

PlayItem::PlayItem() : m_file_name(nullptr), m_segment(-1)
{}

PlayItem::~PlayItem()
{
    freeFileName();
}

PlatformChar* PlayItem::allocFileName(int32_t n)
{
    freeFileName();
    if (n < 0)
        return nullptr;
    m_file_name = new (std::nothrow) PlatformChar[static_cast<uint32_t>(n) + 1];
    return m_file_name;
}

void PlayItem::freeFileName()
{
    delete[] m_file_name;
    m_file_name = nullptr;
}

PlayItem& PlayItem::assign(const PlayItem& source)
{
    if (&source == this)
        return *this;
    if (source.m_file_name != nullptr) {
        int32_t length = 0;
        while (source.m_file_name[length] != 0)
            ++length;
        PlatformChar* name = allocFileName(length);
        if (name != nullptr) {
            for (int32_t i = 0; i <= length; ++i)
                name[i] = source.m_file_name[i];
        }
    }
    m_start = source.m_start;
    m_end = source.m_end;
    m_segment = source.m_segment;
    return *this;
}

SegmentPlayItem::SegmentPlayItem(const AudioSegment& segment, int32_t index)
{
    setStart(segment.start());
    setEnd(segment.end());
    const WideString& trackName = segment.trackName();
    const uint32_t n = trackName.count();
    PlatformChar* name = allocFileName(static_cast<int32_t>(n));
    if (name != nullptr) {
        for (uint32_t k = 0; k < n; ++k) {
            // The narrow build keeps the low byte: the track names are ASCII.
            name[k] = static_cast<PlatformChar>(sizeof(PlatformChar) == 1 ? (trackName.at(k) & 0xFF) : trackName.at(k));
        }
        name[n] = 0;
    }
    setSegment(segment.isValid() == 1 ? index : -1);
}

bool sameFileName(const PlatformChar* a, const PlatformChar* b)
{
    if (a == nullptr || b == nullptr)
        return false;
    for (; *a != 0 && *a == *b; ++a, ++b) {
    }
    return *a == *b;
}
