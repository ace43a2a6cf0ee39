// Custom form definition files: any bytes parse or are refused; a parsed form keeps the limits.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "exchange/FormDefinitions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tl5::CustomFormDefinitions defs;
    if (!tl5::ParseCustomFormDefinitions(data, size, defs)) {
        if (!defs.forms.empty()) std::abort();
        return 0;
    }
    for (const tl5::CustomFormDef& f : defs.forms) {
        if (f.key < tl5::kCustomFormMinKey || f.fields.empty() || f.fields.size() > tl5::kCustomFormMaxFields ||
            f.name.size() > 63) {
            std::abort();
        }
        for (const tl5::CustomFormFieldDef& field : f.fields) {
            if (field.name.size() > 63) std::abort();
        }
    }
    return 0;
}
