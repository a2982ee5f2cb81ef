#include "panel_choices.h"

#include <cmath>

namespace {

constexpr OutputSize kStandardSizes[] = {{352, 288}, {720, 576}, {1280, 720}, {1920, 1080}};
constexpr int kFirstStandardIndex = 2;

} // namespace

std::wstring OutputSizeText(int32_t width, int32_t height) {
    return std::to_wstring(width) + L"*" + std::to_wstring(height);
}

std::vector<std::wstring> OutputSizeEntries(int32_t snapshotWidth, int32_t snapshotHeight) {
    std::vector<std::wstring> entries{L"自适应"};
    if (snapshotWidth == 0 || snapshotHeight == 0)
        return entries;
    entries.push_back(OutputSizeText(snapshotWidth, snapshotHeight));
    for (const OutputSize& size : kStandardSizes)
        if (snapshotWidth > size.width && snapshotHeight > size.height)
            entries.push_back(OutputSizeText(size.width, size.height));
    return entries;
}

OutputSize OutputSizeOfIndex(int index, int32_t snapshotWidth, int32_t snapshotHeight) {
    if (index == 0)
        return {-1, -1};
    if (index == 1)
        return {snapshotWidth, snapshotHeight};
    const int standard = index - kFirstStandardIndex;
    if (standard >= 0 && standard < 3)
        return kStandardSizes[standard];
    return kStandardSizes[3];
}

std::vector<std::wstring> DropRateEntries() {
    return {L"1倍速(正常)", L"1.5倍速", L"2倍速", L"2.5倍速", L"3倍速", L"3.5倍速",
            L"4倍速",       L"4.5倍速", L"5倍速", L"5.5倍速", L"6倍速"};
}

float DropRateOfIndex(int index) {
    if (index < 1 || index >= kDropRateCount)
        return 1.0f;
    return 1.0f + 0.5f * static_cast<float>(index);
}

int DropRateIndexNear(float rate) {
    for (int i = 0; i < kDropRateCount; ++i)
        if (std::fabs(rate - (1.0f + 0.5f * static_cast<float>(i))) <= 0.1f)
            return i;
    return 0;
}

int32_t AnalysisTypeOf(bool synopsisChecked, bool retrievalChecked) {
    if (!synopsisChecked)
        return 0;
    return retrievalChecked ? 1 : 2;
}

int SceneRadioOfSensitivity(int32_t sensitivity) {
    if (sensitivity == 0)
        return 0;
    return sensitivity == 4 ? 2 : 1;
}

int32_t SensitivityOfSceneRadio(int radio) {
    return radio * 2;
}

ObjectClassRules RulesOfObjectClass(int32_t objType) {
    switch (objType) {
    case 1: // person: no main colour, upper and lower body
        return {true, false, true, true, true};
    case 2: // vehicle: main colour only
        return {true, true, false, false, true};
    case 0: // all: nothing to narrow down by
        return {false, false, false, false, false};
    default: // person and vehicle
        return {false, true, false, false, true};
    }
}
