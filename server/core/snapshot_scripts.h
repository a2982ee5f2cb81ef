// The snapshot page (snapshot1pagedb.php) and search-by-picture submission
// (submittask.php) scripts.
#pragma once

#include "scripts.h"

void AddSnapshotScripts(std::map<std::string, Script>& table);
