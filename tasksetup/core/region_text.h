// The region's own text, the inner part of UDR_setting:
// <udr><attr>A</attr><polynum>1</polynum><polyinfo><vertnum>N</vertnum>
// <vertinfo><x>X</x><y>Y</y>...</vertinfo></polyinfo></udr>
#pragma once

#include "task_params.h"

#include <string_view>

// How the opening tags are matched. The key=value form looks for "<attr" and
// skips one character after it; the server's XML form looks for "<attr>".
enum class RegionTextForm { KeyValue, Xml };

// Reads the attribute and the vertices into region. Fails when the attribute,
// the vertex count or any announced vertex (x and y, each with its close tag)
// is missing, and when more than four vertices are announced: the record holds
// four, and a polygon with more cannot be shown or stored faithfully. region
// is changed only on success, so a failed parse never leaves half a shape
// behind. A count of zero or less reads no vertices.
bool ParseRegionText(std::wstring_view text, RegionTextForm form, RegionSetting& region);
