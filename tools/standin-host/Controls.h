// The host's controls: superclasses of the standard controls under the
// host's class names (TEdit, TMemo and TRichEdit from EDIT, TButton from
// BUTTON, TMochiruListBox from LISTBOX) and a plain container TPanel, which
// passes its controls' notifications on to its window. Their procedures log
// the mouse messages, the focus, and what they hold after a paste.
#pragma once

#include <windows.h>

#include <string>

namespace standin {

void RegisterControlClasses();
bool IsControlClass(const std::string& cls);

// Creates a visible child control of `cls` in `parent`, logged; the
// default GUI font.
HWND CreateControl(const char* cls, const char* title, DWORD style, int x, int y, int width, int height,
                   HWND parent);

}  // namespace standin
