// The server's taskdetail.php reply.
#include "fuzz_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TaskRecords records;
    ParseXmlInto(FuzzText(data, size), records);
    if (!records.params.request_image_data.empty() || !records.params.request_mask_data.empty())
        FuzzFailure("picture data read from the XML form", FullStringOf(records));
    CheckWriteIsStable(records);
    return 0;
}
