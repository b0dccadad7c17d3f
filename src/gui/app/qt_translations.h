#pragma once
// Qt's own words (the colour picker, the file dialogs, the message boxes' buttons) in the
// profile's language, from the translations Qt installs beside itself.

#include "core/lang/language.h"

class QTranslator;

namespace p330::gui {

// Installed into the running application, which owns it; English needs none. Null: none
// found (Qt's dialogs then stay English).
QTranslator* load_qt_translations(Language language);

}  // namespace p330::gui
