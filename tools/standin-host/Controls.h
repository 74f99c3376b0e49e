// The host's controls: superclasses of the standard controls under the
// host's class names (TEdit, TMemo and TRichEdit from EDIT, TButton from
// BUTTON, TMochiruListBox from LISTBOX) and a plain container TPanel, which passes
// its controls' notifications on to its window. Their procedures log the
// mouse messages they get and what they hold after a paste.
#pragma once

#include <string>

namespace standin {

void RegisterControlClasses();
bool IsControlClass(const std::string& cls);

}  // namespace standin
