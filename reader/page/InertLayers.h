#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>

#include "core/Geometry.h"
#include "reader/window/DrawLayer.h"

// An object that an OwningObjectMap can hold: destroyed through its virtual
// destructor.
class MappedObject {
public:
    virtual ~MappedObject() = default;
};

// Integer keys to objects the map owns; destroying the map destroys them.
class OwningObjectMap {
public:
    bool empty() const { return m_items.empty(); }

private:
    std::map<int32_t, std::unique_ptr<MappedObject>> m_items;
};

// Integer keys to buffers the map owns; destroying the map releases them.
class OwningBufferMap {
public:
    bool empty() const { return m_items.empty(); }

private:
    std::map<int32_t, std::unique_ptr<uint8_t[]>> m_items;
};

// Layer 2: takes part in every paint and scroll and shows nothing; its maps
// stay empty.
class IndexMapLayer : public DrawLayer {
public:
    explicit IndexMapLayer(WinApiWindow* owner) : DrawLayer(owner) {}
    ~IndexMapLayer() override = default;

    void onScrollUp(int32_t) override {}
    void onScrollDown(int32_t) override {}
    void draw(HDC) override {}

private:
    OwningObjectMap m_object_map;
    OwningBufferMap m_buffer_map;
};

class IndexMapLayerImpl : public IndexMapLayer {
public:
    explicit IndexMapLayerImpl(WinApiWindow* owner) : IndexMapLayer(owner) {}
    ~IndexMapLayerImpl() override = default;
};

// How many times a shape layer has drawn, modulo 3; nothing reads it.
extern int32_t g_shape_draw_count;

// A layer of a fixed figure that is never shown: drawing only sets its
// points again.
class ShapeLayer : public DrawLayer {
public:
    explicit ShapeLayer(WinApiWindow* owner);
    ~ShapeLayer() override = default;

    void onScrollUp(int32_t) override {}
    void onScrollDown(int32_t) override {}
    void draw(HDC dc) override;

    static const uint32_t FigurePoints = 12;

private:
    WinApiWindow* m_window;
    HPEN m_pen; // never selected, never deleted
    Point m_figure[FigurePoints];
};

// Layer 4: the shape layer with a list of points that stays empty.
class ShapePointsLayer : public ShapeLayer {
public:
    explicit ShapePointsLayer(WinApiWindow* owner) : ShapeLayer(owner) {}
    ~ShapePointsLayer() override = default;

private:
    PointArray m_points;
};
