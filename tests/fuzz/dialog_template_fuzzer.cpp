// The dialog template reader over arbitrary bytes: no read outside them, and
// every item's creation data inside them.
#include "platform/user32/dialog_template.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    layer::DialogTemplate dialog;
    if (!layer::ParseDialogTemplate(data, size, &dialog)) return 0;
    for (const layer::DialogItem& item : dialog.items) {
        if (!item.creationData) continue;
        WORD extra;
        if (item.creationData < data || item.creationData + 2 > data + size) std::abort();
        std::memcpy(&extra, item.creationData, 2);
        if (item.creationData + extra > data + size) std::abort();
    }
    return 0;
}
