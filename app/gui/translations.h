#pragma once
// The windows in the user's language: the program's translation, and Qt's own for its standard
// dialogs, for the first of the user's languages (LANGUAGE, LC_ALL, LC_MESSAGES, LANG, as Qt
// reads them) that the program is translated into. English, the texts of the sources, needs none.

namespace vornelle::app {

// Call once the application object exists. True when a translation was installed.
bool InstallTranslations();

}  // namespace vornelle::app
