#include "reader/balloons/CalloutLayer.h"

CalloutLayer::CalloutLayer(WinApiWindow* owner) : DrawLayer(owner), m_next_index(0)
{
    m_callouts.setSize(SlotCount);
    for (uint32_t i = 0; i < m_callouts.count(); ++i)
        m_callouts.at(i).setOwner(owner);
}

void CalloutLayer::draw(HDC)
{
    for (uint32_t i = 0; i < SlotCount; ++i)
        m_callouts.at(i).draw();
}

uint32_t CalloutLayer::addCallout(const Point& upper, const Point& lower, const PlatformChar* text, int32_t maxWidth,
                                  int32_t charset)
{
    const uint32_t i = takeNextIndex();
    m_callouts.at(i).show(upper, lower, text, maxWidth, charset);
    return i;
}

void CalloutLayer::removeCallout(uint32_t index)
{
    m_callouts.at(index).hide();
}

uint32_t CalloutLayer::takeNextIndex()
{
    const uint32_t i = m_next_index;
    m_next_index = (m_next_index + 1) % SlotCount;
    return i;
}
