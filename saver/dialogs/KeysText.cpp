#include "saver/dialogs/KeysText.h"

unsigned KeysTextId(uint32_t platformId, uint32_t majorVersion) {
    if (platformId != keys_text::kPlatformWin32Nt) return keys_text::kKeys;
    return majorVersion <= 4 ? keys_text::kNt4Notice : keys_text::kNtNotice;
}
