#include "app/gui/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace vornelle::app {

bool InstallTranslations() {
  // The languages in the user's order: one the program lacks gives way to the next, as the
  // desktop's other programs do; English, the first the program has, ends the search.
  for (const QString& language : QLocale::system().uiLanguages()) {
    const QLocale locale(language);
    if (locale.language() == QLocale::English || locale.language() == QLocale::C) return false;
    auto* own = new QTranslator(QCoreApplication::instance());
    // The translations are built into the program (qt_add_translations' resource).
    if (!own->load(locale, "vornelle", "_", ":/i18n")) {
      delete own;
      continue;
    }
    QCoreApplication::installTranslator(own);
    // Qt's own buttons and dialogs in the same language, where the system has them.
    auto* qt = new QTranslator(QCoreApplication::instance());
    if (qt->load(locale, "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
      QCoreApplication::installTranslator(qt);
    else
      delete qt;
    return true;
  }
  return false;
}

}  // namespace vornelle::app
