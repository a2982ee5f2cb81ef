// The key=value parameter string as script or a stored task hands it over.
#include "fuzz_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TaskRecords records;
    ParseInto(FuzzText(data, size), records);
    CheckWriteIsStable(records);
    return 0;
}
