// Text on the clipboard: the narrow text (CF_TEXT) the program copies and
// pastes, read and written with the clipboard opened for the owner window
// and closed again at once.
#pragma once

#include "platform/framework/base/String.h"

// The clipboard's text; empty when it holds none or cannot be opened.
CString AfxReadClipboardText(HWND hOwner);
// Puts the text in place of what the clipboard held. FALSE when the memory
// for it cannot be had or the clipboard cannot be opened: the clipboard is
// then left as it was.
BOOL AfxWriteClipboardText(HWND hOwner, const CString& text);
