#pragma once

#include <windows.h>

#include <cstdint>

#include "core/FixedArray.h"

class WinApiWindow;

// One layer of the page. The window tells its layers, in index order, when
// the page scrolls and asks them to draw into its kept device context.
class DrawLayer {
public:
    explicit DrawLayer(WinApiWindow* owner) : m_window(owner) {}
    virtual ~DrawLayer() = default;
    // The owner has just moved its scroll offset by the requested pixels.
    virtual void onScrollUp(int32_t pixels) = 0;
    virtual void onScrollDown(int32_t pixels) = 0;
    virtual void draw(HDC dc) = 0;

    DrawLayer(const DrawLayer&) = delete;
    DrawLayer& operator=(const DrawLayer&) = delete;

    WinApiWindow* owner() const { return m_window; }

private:
    WinApiWindow* m_window;
};

// The window's layers in drawing order; the window does not own them.
class LayerArray : public FixedArray<DrawLayer*> {
public:
    ~LayerArray() override = default;
};
