#pragma once
#include "framework/Win32.h"

// Adds to the dialog's combo and list boxes the strings that the program's
// initialisation resource of template `templateId` holds for them, in order.
// No such resource adds nothing. Returns the number of strings added.
int ApplyDialogInit(HWND dialog, int templateId);
