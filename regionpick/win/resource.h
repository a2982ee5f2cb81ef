// Resource identifiers of RegionPick.dll.
#pragma once

#define IDD_SEARCHPICTURE 11000  // the picker dialog
#define IDC_SELECT_TARGET 11001  // "框选目标": start outlining
#define IDC_IMPORT_PICTURE 11002 // "导入图片": choose a picture file
