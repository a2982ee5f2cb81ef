// Writing the task parameter string: the panel's part, the region's part, the
// tripwire's part, and the whole string handed to script.
#pragma once

#include "task_params.h"
#include "text_conversion.h"

#include <string>
#include <string_view>

// "type=..&sensitivity=..&fineness=..&snap_type=..&thickness=..&task_priority=..
// &summary_width=..&summary_height=..&drop_frm_rate=%.1f", then for type 0 or 1
// "&obj_enable=1&obj_type=.." and each used colour (average, upper, lower),
// then, only when both picture data strings are non-empty,
// "&enable_search_by_image=1&request_image_data=..&request_mask_data=.." with
// the data widened by widen.
std::wstring PanelString(const TaskParams& params, const AnsiToWide& widen);

// "UDR_exist=1&UDR_setting=<udr>..</udr>" with the attribute and the four
// vertices ("%f"). The caller decides whether a region exists at all.
std::wstring RegionString(const RegionSetting& region);

// "tripwire_x1=..&tripwire_y1=..&tripwire_x2=..&tripwire_y2=..&tripwire_crossdir=.."
// ("%f" coordinates). The caller decides whether a tripwire exists at all.
std::wstring TripwireString(const TripwireSetting& tripwire);

// The panel string, then "&" and the region string and "&" and the tripwire
// string, each only when not empty.
std::wstring JoinParameterStrings(std::wstring_view panel, std::wstring_view region,
                                  std::wstring_view tripwire);
