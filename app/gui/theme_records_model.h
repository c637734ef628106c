#pragma once
// ThemeRecordsModel: the records of one theme table as rows, in file order, deleted ones
// included: the day, the first line of the message, and a mark for a deleted record. The table
// is opened read-only in a table component of the model's own, so another component may edit
// it meanwhile (Refresh shows the changes). Only the records a view asks for are read, a block
// of kBlockRows at a time through the component's record window, which the model's data link
// sizes to one block; the last two blocks are kept, so that a screen across two never reads
// again while it repaints.

#include <QAbstractTableModel>
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

#include "dataset/zuviv.h"
#include "framework/data_link.h"
#include "platform/text_codec.h"

namespace vornelle::app {

class ThemeRecordsModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { kDayColumn, kMessageColumn, kDeletedColumn, kColumnCount };
  // Records read at a time: a few screens of a grid.
  static constexpr int kBlockRows = 64;
  // What the deleted column shows for a deleted record.
  static constexpr const char* kDeletedMark = "\u2715";

  // Opens the table `path`; what the table component raises when it cannot goes to the caller.
  explicit ThemeRecordsModel(const std::string& path, QObject* parent = nullptr);
  ~ThemeRecordsModel() override;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

  // After the table changed elsewhere: the record count is read again and the rows read so far
  // are forgotten; views are told of the rows added or gone and of the rest changed.
  void Refresh();
  // The record a row shows (0 for no row), and the row of a record (-1 for none).
  int32_t RecordNumber(int row) const;
  int RowOf(int32_t recno) const;
  // Records read from the table since the model opened.
  int64_t RecordsRead() const { return records_read_; }
  // The converter of the theme's text (its code page).
  platform::TextCodec& Codec() const { return *codec_; }

  // The day column's text of a day key: "8 December", "Description" for 9999, the key itself
  // when it names no day.
  static QString DayText(const std::string& key);

 private:
  struct Row {
    QString day;
    QString message;
    bool deleted = false;
  };
  // Rows block * kBlockRows onwards.
  struct Block {
    int first = 0;
    std::vector<Row> rows;
  };
  // The row from the blocks kept, reading its block when it is not there; null when the table
  // cannot be read.
  const Row* CachedRow(int row) const;
  Block ReadBlock(int first) const;
  // The row of the link's first row (-1: none).
  int LinkFirstRow() const;
  Row ReadActiveRecord() const;
  int ReadRecordCount();

  // Declared in the order they are built: the link leaves the source, the source the table.
  mutable dataset::TZuViv table_;
  platform::TextCodec* codec_ = nullptr;
  framework::TDataSource source_;
  mutable framework::TDataLink link_;
  framework::TField* day_field_ = nullptr;
  framework::TField* message_field_ = nullptr;
  int count_ = 0;
  mutable std::vector<Block> blocks_;  // at most two, the last read first
  // The component's window may hold records as they were before the last Refresh.
  mutable bool window_stale_ = false;
  mutable int64_t records_read_ = 0;
};

}  // namespace vornelle::app
