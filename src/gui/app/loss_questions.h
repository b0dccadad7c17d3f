#pragma once
// The questions asked before something the user has would be lost: closing the program with
// unsaved edits, and a Reset over saved or shown settings. Standard buttons, so that Tab, the
// arrow keys, Enter and Esc work as in any dialog; texts in the profile's language.

#include "core/lang/language.h"

class QWidget;

namespace p330::gui {

enum class CloseAnswer { kSave, kDiscard, kCancel };

// Save (the default), Discard or Cancel (also Esc and the window's close).
CloseAnswer ask_save_before_close(QWidget* parent, Language language);
// True when the user chose Reset; Cancel is the default.
bool ask_before_reset(QWidget* parent, Language language);

}  // namespace p330::gui
