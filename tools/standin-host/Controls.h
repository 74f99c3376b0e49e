// The host's controls: superclasses of the standard controls under the
// host's class names (TEdit and TMemo from EDIT, TButton from BUTTON,
// TMochiruListBox from LISTBOX) and a plain container TPanel. Their
// procedures log the mouse messages they get.
#pragma once

#include <string>

namespace standin {

void RegisterControlClasses();
bool IsControlClass(const std::string& cls);

}  // namespace standin
