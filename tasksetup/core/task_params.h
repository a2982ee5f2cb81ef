// The three records one analysis task is described by: scalar parameters,
// the detection region and the tripwire. Plain data with their defaults.
#pragma once

#include <array>
#include <cstdint>
#include <string>

// Colours are COLORREF values: red in the low byte, then green, then blue.
constexpr uint32_t kNoColor = 0xFFFFFFFFu; // -1: the colour is not used

struct TaskParams {
    int32_t type = 1;        // 0 retrieval only, 1 synopsis and retrieval, 2 synopsis only
    int32_t sensitivity = 0; // scene: 0 sunny, 2 overcast, 4 night
    int32_t task_priority = 0;
    int32_t fineness = 3;
    float drop_frm_rate = 1.0f;
    int32_t snap_type = 0;
    int32_t thickness = 0;
    int32_t summary_width = 0; // -1 x -1: output size left to the server
    int32_t summary_height = 0;
    int32_t obj_type = 3; // 0 all, 1 person, 2 vehicle, 3 person and vehicle
    uint32_t avg_color = kNoColor;
    uint32_t upper_color = kNoColor;
    uint32_t lower_color = kNoColor;
    int32_t enable_search_by_image = 0;
    std::string request_image_data; // ANSI text (Base64 of the object picture)
    std::string request_mask_data;  // ANSI text (Base64 of the mask)

    bool operator==(const TaskParams&) const = default;
};

// A quadrilateral in coordinates normalised to the drawing view's client area.
struct RegionSetting {
    static constexpr int kVertexCount = 4;
    int32_t attr = -1; // 1 region of interest, 0 region to ignore, -1 no region
    std::array<double, kVertexCount> x{};
    std::array<double, kVertexCount> y{};

    bool operator==(const RegionSetting&) const = default;
};

// A line from (x1, y1) to (x2, y2), normalised like the region.
struct TripwireSetting {
    int32_t crossdir = -2; // -1, 0, 1 crossing direction; -2 no tripwire
    double x1 = 0.0;
    double y1 = 0.0;
    double x2 = 0.0;
    double y2 = 0.0;

    bool operator==(const TripwireSetting&) const = default;
};
