// The choices the parameter panel offers and how its controls' states map to
// task parameters: the output-size list, the frame-dropping list, the
// analysis mode boxes and which retrieval controls each object class allows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// ---- output size (list "输出分辨率") ----

struct OutputSize {
    int32_t width;
    int32_t height;
};

// The list's entries for a snapshot of the given size: "自适应", the
// snapshot's own "W*H", then each standard size the snapshot exceeds in both
// width and height. Without a known size (either 0) only "自适应".
std::vector<std::wstring> OutputSizeEntries(int32_t snapshotWidth, int32_t snapshotHeight);

// The size a list index stands for: 0 unspecified (-1 x -1), 1 the snapshot's
// own, 2..4 the standard sizes, anything else 1920 x 1080.
OutputSize OutputSizeOfIndex(int index, int32_t snapshotWidth, int32_t snapshotHeight);

// "W*H", as the list shows a size.
std::wstring OutputSizeText(int32_t width, int32_t height);

// ---- frame dropping (list "降帧") ----

inline constexpr int kDropRateCount = 11; // 1.0 to 6.0 in steps of 0.5
std::vector<std::wstring> DropRateEntries();
// 1.0 + 0.5 x index; an index outside 1..10 gives 1.0.
float DropRateOfIndex(int index);
// The entry whose rate lies within 0.1 of rate; none gives entry 0.
int DropRateIndexNear(float rate);

// ---- analysis mode (boxes "视频浓缩" and "视频检索") ----

// 0 retrieval only, 1 both, 2 synopsis only.
int32_t AnalysisTypeOf(bool synopsisChecked, bool retrievalChecked);

// ---- scene (radios "晴天", "阴天", "黑夜") ----

// The radio (0, 1, 2) a sensitivity selects when parameters are set: 0 the
// first, 4 the last, anything else the middle one.
int SceneRadioOfSensitivity(int32_t sensitivity);
int32_t SensitivityOfSceneRadio(int radio);

// ---- object class (radios "全部", "人", "车", "人+车") ----

// Which retrieval controls an object class enables. A disabled search
// picture box always loses its check; disabled colour boxes lose theirs
// unless the class is "全部", which only greys them.
struct ObjectClassRules {
    bool searchPicture; // 231, 232
    bool mainColor;     // 228, 235, 238
    bool upperColor;    // 229, 236, 239
    bool lowerColor;    // 230, 237, 240
    bool uncheckDisabledColors;
};
ObjectClassRules RulesOfObjectClass(int32_t objType);
