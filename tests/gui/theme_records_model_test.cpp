// The theme editor's grid model on the offscreen platform: a view over 100,000 records reads
// only the records it shows (alone and in the editor), the texts of the rows, and Refresh after another component wrote.

#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <cstdint>
#include <cstring>
#include <memory>

#include "app/core/program.h"
#include "app/gui/theme_editor.h"
#include "app/gui/theme_records_model.h"
#include "engine/engine.h"
#include "expr/expr.h"
#include "tests/support/test_support.h"
#include "tests/support/themes.h"

using namespace vornelle;
using app::ThemeRecordsModel;
namespace vt = vornelle::testing;

namespace {

constexpr int kBigCount = 100000;

// The records every table here repeats; the count of the big table is a multiple of theirs.
const std::vector<vt::ThemeRecord> kRecords = {
    {"9999", "Sayings\r\nfor every day"}, {"0229", "Leap day."}, {"1301", "No such month."},
    {"1208", "Gone.", true},              {"0101", "Caf\351 at ten."}};

// Repeats the table's records in turn until it holds `count`: a large theme in a moment, its
// records sharing the few messages the engine wrote.
void Repeat(const std::string& path, int count) {
  const std::string bytes = vt::ReadFileBytes(path);
  uint32_t records = 0;  // the header's numbers are little-endian, as this machine's
  uint16_t header = 0, length = 0;
  std::memcpy(&records, &bytes[4], 4);
  std::memcpy(&header, &bytes[8], 2);
  std::memcpy(&length, &bytes[10], 2);
  std::string out = bytes.substr(0, header);
  out.reserve(header + length * static_cast<std::size_t>(count) + 1);
  for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i)
    out += bytes.substr(header + i % records * length, length);
  out += '\x1A';
  std::memcpy(&out[4], &count, 4);
  vt::WriteFileBytes(path, out);
}

class NoBoxes : public app::MessageBoxService {
 public:
  void Confirm(const std::string&, app::ScreenPoint) override {}
  bool AskYesNo(const std::string&) override { return false; }
  void Error(const std::string&, const std::string& text) override { QFAIL(text.c_str()); }
  void Inform(const std::string&) override {}
};

}  // namespace

class ThemeRecordsModelTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir folder_;
  std::string Path(const char* name) const { return folder_.filePath(name).toStdString(); }

 private Q_SLOTS:
  void initTestCase() {
    expr::InstallExpressionUnit();
    engine::ResetEngine();
    engine::SetRaise(true);
    vt::WriteTheme(Path("big.dbf"), kRecords);
    Repeat(Path("big.dbf"), kBigCount);
  }

  void viewReadsOnlyWhatItShows_data() {
    QTest::addColumn<bool>("in_editor");
    QTest::newRow("a grid of its own") << false;
    QTest::newRow("the theme editor") << true;
  }
  void viewReadsOnlyWhatItShows() {
    QFETCH(bool, in_editor);
    std::unique_ptr<ThemeRecordsModel> own_model;
    std::unique_ptr<QTableView> own_view;
    app::Program program;
    NoBoxes boxes;
    std::unique_ptr<app::ThemeEditor> editor;
    if (in_editor) {
      editor = std::make_unique<app::ThemeEditor>(program, boxes);
      editor->resize(800, 600);
      editor->OpenTheme(Path("big.dbf"));
    } else {
      own_model = std::make_unique<ThemeRecordsModel>(Path("big.dbf"));
      own_view = std::make_unique<QTableView>();
      own_view->setModel(own_model.get());
      own_view->resize(800, 600);
    }
    ThemeRecordsModel& model = in_editor ? *editor->Model() : *own_model;
    QTableView& view = in_editor ? *editor->Grid() : *own_view;
    QCOMPARE(model.rowCount(), kBigCount);
    view.window()->show();
    QVERIFY(QTest::qWaitForWindowExposed(view.window()));
    QCoreApplication::processEvents();
    const int64_t opened = model.RecordsRead();
    QVERIFY2(opened > 0 && opened < 200, QByteArray::number(qint64(opened)));

    view.scrollToBottom();
    QVERIFY(QTest::qWaitFor([&] { return model.RecordsRead() > opened; }));
    view.repaint();
    const int64_t scrolled = model.RecordsRead() - opened;
    QVERIFY2(scrolled < 200, QByteArray::number(qint64(scrolled)));
    QCOMPARE(view.rowAt(view.viewport()->height() - 1), kBigCount - 1);
  }

  void texts_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("deleted");
    for (const int first : {0, kBigCount - 5}) {
      const QByteArray at = " at " + QByteArray::number(first);
      QTest::newRow("description" + at) << first << "Description" << "Sayings" << "";
      QTest::newRow("leap day" + at) << first + 1 << "29 February" << "Leap day." << "";
      QTest::newRow("no day" + at) << first + 2 << "1301" << "No such month." << "";
      QTest::newRow("deleted" + at) << first + 3 << "8 December" << "Gone." << "\u2715";
      QTest::newRow("accent" + at) << first + 4 << "1 January" << "Caf\u00e9 at ten." << "";
    }
  }

  void texts() {
    QFETCH(int, row);
    QFETCH(QString, day);
    QFETCH(QString, message);
    QFETCH(QString, deleted);
    ThemeRecordsModel model(Path("big.dbf"));
    auto text = [&](int column) { return model.data(model.index(row, column)).toString(); };
    QCOMPARE(text(ThemeRecordsModel::kDayColumn), day);
    QCOMPARE(text(ThemeRecordsModel::kMessageColumn), message);
    QCOMPARE(text(ThemeRecordsModel::kDeletedColumn), deleted);
    QCOMPARE(model.headerData(row, Qt::Vertical).toInt(), row + 1);
  }

  // Another component edits, deletes and appends while the model is open.
  void refreshShowsWhatAnotherComponentWrote() {
    vt::WriteTheme(Path("small.dbf"), kRecords);
    ThemeRecordsModel model(Path("small.dbf"));
    auto text = [&](int row, int column) { return model.data(model.index(row, column)).toString(); };
    QCOMPARE(text(1, ThemeRecordsModel::kMessageColumn), "Leap day.");
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

    dataset::TZuViv editor;
    editor.SetExclusive(false);
    editor.SetDbfFileName(Path("small.dbf"));
    editor.SetActive(true);
    editor.SetRecNo(2);
    editor.Edit();
    editor.FieldByName("THEJOKE").SetAsString("Every four years.\r\nMostly.");
    editor.Post();
    editor.SetRecNo(3);
    editor.Delete();
    model.Refresh();
    QCOMPARE(inserted.size(), 0);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed[0][1].value<QModelIndex>().row(), 4);
    QCOMPARE(text(1, ThemeRecordsModel::kMessageColumn), "Every four years.");
    QCOMPARE(text(2, ThemeRecordsModel::kDeletedColumn), "\u2715");

    editor.Append();
    editor.FieldByName("THEDATE").SetAsString("0704");
    editor.FieldByName("THEJOKE").SetAsString("Fireworks.");
    editor.Post();
    model.Refresh();
    QCOMPARE(inserted.size(), 1);
    QCOMPARE(inserted[0][1].toInt(), 5);
    QCOMPARE(inserted[0][2].toInt(), 5);
    QCOMPARE(text(5, ThemeRecordsModel::kDayColumn), "4 July");
    QCOMPARE(text(5, ThemeRecordsModel::kMessageColumn), "Fireworks.");
    QCOMPARE(model.RowOf(model.RecordNumber(5)), 5);
    QCOMPARE(model.RowOf(7), -1);
  }
};

QTEST_MAIN(ThemeRecordsModelTest)
#include "theme_records_model_test.moc"
