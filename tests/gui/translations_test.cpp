// The windows in German, as a desktop set to German (LANGUAGE=de) starts them: the menus, the
// boxes the core's texts reach, and Qt's own buttons. Run with LANGUAGE=de.

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QLibraryInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <string>

#include "app/core/settings.h"
#include "app/core/theme_catalogue.h"
#include "app/core/user_folder.h"
#include "app/gui/core_texts.h"
#include "app/gui/main_window.h"
#include "app/gui/theme_records_model.h"
#include "app/gui/translations.h"
#include "dataset/messages.h"
#include "expr/expr.h"
#include "platform/exception.h"
#include "platform/format.h"
#include "tests/gui/window_fixture.h"

using namespace vornelle;
namespace vt = vornelle::testing;

namespace {

// What the core raises when it cannot prepare `folder` as the user's folder.
std::string UserFolderFailure(const std::filesystem::path& folder) {
  try {
    app::PrepareUserFolder(folder, {});
  } catch (const platform::Exception& error) {
    return error.what();
  }
  return "<no failure>";
}

}  // namespace

class TranslationsTest : public QObject, public vt::WindowFixture {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() {
    expr::InstallExpressionUnit();
    QVERIFY(app::InstallTranslations());
  }

  void init() { QVERIFY(SetUp()); }
  void cleanup() { QVERIFY(TearDown()); }

  void windowMenusAndBoxesAreGerman() {
    Theme("almanac.dbf", {{"9999", "Almanac"}, {"0704", "Fireworks."}});
    Theme("garden.dbf", {{"9999", "Garden"}, {"0101", "Frost."}});
    Settings("[THEMES]\nThemeLINES=2\nDB_0=almanac.dbf\nDB_1=garden.dbf\n");
    Start();
    QStringList menus;
    for (const QAction* menu : window_->menuBar()->actions()) menus << menu->text();
    QCOMPARE(menus, (QStringList{"&Datei", "&Bearbeiten", "E&xtras", "&Hilfe"}));
    QCOMPARE(boxes_.confirms.size(), std::size_t(1));
    QCOMPARE(boxes_.confirms[0].text, std::string("Keine Nachricht für diesen Tag in der .db: garden.dbf"));
    QCOMPARE(app::ThemeRecordsModel::DayText("0704"), QString("4. Juli"));

    window_->resize(300, 250);
    window_->close();
    QCOMPARE(boxes_.questions, std::vector<std::string>{"Änderungen vor dem Beenden speichern?"});
  }

  // The core's texts, as the core makes them, with the name or path that follows kept.
  void coreTextsKeepWhatFollows_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("german");
    QTest::newRow("whole text") << QByteArray(app::kNoThemesText)
                                << "Keine Nachrichtendateien vorhanden! Bitte prüfen Sie Ihre Installation.";
    QTest::newRow("settings file") << QByteArray(app::ESettingsWrite("/tmp/x/Vornel.Ini").what())
                                   << "Schreiben nicht möglich: /tmp/x/Vornel.Ini";
    QTest::newRow("name in ANSI") << QByteArray(app::kMissingThemeText) + "caf\xE9.dbf"
                                  << "Themendatei nicht gefunden, ausgelassen: café.dbf";
    QTest::newRow("lock") << QByteArray::fromStdString(platform::Format(dataset::msg::kLockFailed, "Post"))
                          << "Sperren fehlgeschlagen [Speichern]";
    QTest::newRow("unknown") << QByteArray("Error # 2: Failure to open") << "Error # 2: Failure to open";
  }
  void coreTextsKeepWhatFollows() {
    QFETCH(QByteArray, text);
    QFETCH(QString, german);
    QCOMPARE(app::CoreText(text.toStdString()), german);
  }

  // The user's folder's failures begin with the longest of the fixed texts that fits.
  void userFolderFailuresAreGerman() {
    Settings("");
    const std::filesystem::path file = Path("Vornel.Ini");
    const QString used = app::CoreText(UserFolderFailure(file));
    QVERIFY2(used.startsWith("Der Ordner kann nicht verwendet werden: " + File("Vornel.Ini") + ": "),
             qPrintable(used));
    const QString created = app::CoreText(UserFolderFailure(file / "themes"));
    QVERIFY2(created.startsWith("Der Ordner kann nicht angelegt werden: " + File("Vornel.Ini/themes") + ": "),
             qPrintable(created));
  }

  void boxButtonsAreGerman() {
    QStringList seen;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box);
      seen << box->windowTitle() << box->text();
      for (QAbstractButton* button : box->buttons()) seen << button->text();
      box->reject();
    });
    app::QtMessageBoxService boxes;
    app::CoreTextBoxes(boxes).AskYesNo(app::kNoThemesText);
    QCOMPARE(seen, (QStringList{"Bestätigen",
                                "Keine Nachrichtendateien vorhanden! Bitte prüfen Sie Ihre Installation.", "&Ja",
                                "&Nein"}));
  }

  void qtsOwnButtonsFollowWhereInstalled() {
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_de.qm"))
      QSKIP("Qt's German translation is not installed (qt6-translations-l10n)");
    QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QString("Abbrechen"));
  }
};

QTEST_MAIN(TranslationsTest)

#include "translations_test.moc"
