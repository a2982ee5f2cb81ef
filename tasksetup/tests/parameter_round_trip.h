// Writing records back the way the control does once they have been applied:
// the region only when it has an attribute, the tripwire only with a crossing
// direction the drawing view accepts. Picture data crosses byte for byte.
#pragma once

#include "parameter_parsers.h"
#include "parameter_writers.h"

#include <string>
#include <string_view>

struct TaskRecords {
    TaskParams params;
    RegionSetting region;
    TripwireSetting tripwire;
};

inline std::wstring FullStringOf(const TaskRecords& records) {
    const bool hasRegion = records.region.attr != -1;
    const bool hasTripwire = records.tripwire.crossdir >= -1 && records.tripwire.crossdir <= 1;
    return JoinParameterStrings(PanelString(records.params, WidenBytes),
                                hasRegion ? RegionString(records.region) : std::wstring(),
                                hasTripwire ? TripwireString(records.tripwire) : std::wstring());
}

inline bool ParseInto(std::wstring_view text, TaskRecords& records) {
    return ParseParameterString(text, records.params, records.region, records.tripwire,
                                NarrowToBytes);
}

inline bool ParseXmlInto(std::wstring_view reply, TaskRecords& records) {
    return ParseTaskDetailXml(reply, records.params, records.region, records.tripwire);
}
