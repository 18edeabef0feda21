#include "saver/dialogs/DialogInitResource.h"

#include "saver/dialogs/DialogInit.h"

int ApplyDialogInit(HWND dialog, int templateId) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(templateId),
                                MAKEINTRESOURCEA(kDialogInitResourceType));
    if (found == nullptr) return 0;
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr) return 0;
    int added = 0;
    for (const DialogInitEntry& entry :
         ParseDialogInit(static_cast<const uint8_t*>(data), SizeofResource(module, found))) {
        const LRESULT at = SendDlgItemMessageA(dialog, entry.control, entry.message, 0,
                                               reinterpret_cast<LPARAM>(entry.text.c_str()));
        if (at >= 0) ++added;
    }
    return added;
}
