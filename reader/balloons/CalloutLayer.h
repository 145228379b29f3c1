#pragma once

#include <windows.h>

#include <cstdint>

#include "core/Geometry.h"
#include "core/PlatformChar.h"
#include "reader/balloons/Callout.h"
#include "reader/window/DrawLayer.h"

// The translation balloons: a ring of slots taken in turn, drawn over every
// other layer.
class CalloutLayer : public DrawLayer {
public:
    static const uint32_t SlotCount = 20;

    explicit CalloutLayer(WinApiWindow* owner);
    ~CalloutLayer() override = default;

    void onScrollUp(int32_t) override {}
    void onScrollDown(int32_t) override {}
    // Each balloon draws on its owner's device context.
    void draw(HDC dc) override;

    // Shows a balloon in the next slot, whether or not that slot is still
    // shown, and answers the slot. The balloon keeps its own copy of the text.
    uint32_t addCallout(const Point& upper, const Point& lower, const PlatformChar* text, int32_t maxWidth,
                        int32_t charset);
    // Hides the balloon of a slot; a slot past the ring reaches the ring's
    // default balloon, which is never shown.
    void removeCallout(uint32_t index);

    const Callout& callout(uint32_t index) const { return m_callouts.at(index); }

protected:
    uint32_t takeNextIndex();

private:
    CalloutArray m_callouts;
    uint32_t m_next_index;
};

// The balloon layer of the reader window.
class CalloutLayerImpl : public CalloutLayer {
public:
    explicit CalloutLayerImpl(WinApiWindow* owner) : CalloutLayer(owner) {}
    ~CalloutLayerImpl() override = default;
};
