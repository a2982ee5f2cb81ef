// Reading task parameters back: the key=value string that script stores, and
// the XML-like task detail the server replies with.
#pragma once

#include "task_params.h"
#include "text_conversion.h"

#include <string_view>

// Fills the records from a key=value parameter string. Required keys: type,
// sensitivity, fineness; UDR_setting when UDR_exist is 1; the four tripwire
// coordinates when tripwire_crossdir is present; task_priority, thickness,
// snap_type, drop_frm_rate, summary_height, summary_width; for type 0 or 1
// also obj_type, and both picture data strings when enable_search_by_image is
// 1 (narrowed by narrow). Returns false at the first missing required key;
// fields read before it keep their new values. The region and the tripwire
// are each taken whole or not at all.
bool ParseParameterString(std::wstring_view text, TaskParams& params, RegionSetting& region,
                          TripwireSetting& tripwire, const WideToAnsi& narrow);

// Fills the records from a taskdetail.php reply. Required tags: type,
// sensitivity; UDR_setting when UDR_exist is 1; the four tripwire coordinates
// when tripwire_crossdir is present; task_priority, thickness, summary_height,
// summary_width; obj_type for type 0 or 1. A colour is taken only when its
// enable tag is present and not "0". The reply carries no fineness, snap_type,
// drop_frm_rate or picture data; those fields are left as they are.
bool ParseTaskDetailXml(std::wstring_view reply, TaskParams& params, RegionSetting& region,
                        TripwireSetting& tripwire);
