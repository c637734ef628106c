#include "app/gui/theme_records_model.h"

#include "themes/theme_text.h"
#include "platform/codepage.h"

#include <algorithm>
#include <exception>

#include "app/core/theme_catalogue.h"
#include "themes/theme_source.h"

namespace vornelle::app {

namespace {

constexpr const char* kMonths[12] = {
    QT_TRANSLATE_NOOP("vornelle::app::ThemeRecordsModel", "January"),
    QT_TRANSLATE_NOOP("vornelle::app::ThemeRecordsModel", "February"),
    QT_TRANSLATE_NOOP("vornelle::app::ThemeRecordsModel", "March"),
    QT_TRANSLATE_NOOP("vornelle::app::ThemeRecordsModel", "April"),
    QT_TRANSLATE_NOOP("vornelle::app::ThemeRecordsModel", "May"),
    QT_TRANSLATE_NOOP("vornelle::app::ThemeRecordsModel", "June"),
    QT_TRANSLATE_NOOP("vornelle::app::ThemeRecordsModel", "July"),
    QT_TRANSLATE_NOOP("vornelle::app::ThemeRecordsModel", "August"),
    QT_TRANSLATE_NOOP("vornelle::app::ThemeRecordsModel", "September"),
    QT_TRANSLATE_NOOP("vornelle::app::ThemeRecordsModel", "October"),
    QT_TRANSLATE_NOOP("vornelle::app::ThemeRecordsModel", "November"),
    QT_TRANSLATE_NOOP("vornelle::app::ThemeRecordsModel", "December"),
};

}  // namespace

ThemeRecordsModel::ThemeRecordsModel(const std::string& path, QObject* parent)
    : QAbstractTableModel(parent) {
  // Set up as the calendar's own component, but reading only and never making the table.
  table_.SetName("themerecords");
  table_.SetHideDeletedRecs(false);
  // The text as stored, decoded here from the theme's code page.
  table_.SetTableLanguage(dataset::tlAnsi);
  table_.SetReadOnly(true);
  table_.SetExclusive(false);
  table_.SetCreateIndex(dataset::ciNotFound);
  table_.SetCreateIfNotFound(false);
  table_.SetDbfFileName(path);
  table_.SetActive(true);
  table_.SelectWorkArea("ThemeRecordsModel");
  codec_ = &themes::CurrentThemeCodec();
  day_field_ = table_.FindField("THEDATE");
  message_field_ = table_.FindField("THEJOKE");
  source_.SetDataSet(&table_);
  link_.SetBufferCount(kBlockRows);
  link_.SetDataSource(&source_);
  count_ = ReadRecordCount();
  // The link's window was filled from the first record: the first block, read already.
  records_read_ = link_.RecordCount();
}

ThemeRecordsModel::~ThemeRecordsModel() = default;

int ThemeRecordsModel::ReadRecordCount() {
  try {
    return table_.RecordCount();
  } catch (const std::exception&) {
    return 0;
  }
}

int ThemeRecordsModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : count_; }

int ThemeRecordsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QString ThemeRecordsModel::DayText(const std::string& key) {
  if (key == kDescriptionKey) return tr("Description");
  if (!themes::IsThemeKey(key)) return QString::fromStdString(platform::AnsiToUtf8(key));
  const int month = std::stoi(key.substr(0, 2));
  const int day = std::stoi(key.substr(2, 2));
  //: A theme's day: the day of the month and the month's name, as in "8 December".
  return tr("%1 %2").arg(day).arg(tr(kMonths[month - 1]));
}

QVariant ThemeRecordsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) return {};
  const Row* row = CachedRow(index.row());
  if (!row) return {};
  switch (index.column()) {
    case kDayColumn: return row->day;
    case kMessageColumn: return row->message;
    case kDeletedColumn:
      if (!row->deleted) return {};
      return role == Qt::ToolTipRole ? tr("Deleted") : QString::fromUtf8(kDeletedMark);
    default: return {};
  }
}

QVariant ThemeRecordsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  // Rows are numbered as records are, without reading one.
  if (orientation == Qt::Vertical) return RecordNumber(section);
  switch (section) {
    case kDayColumn: return tr("Day");
    case kMessageColumn: return tr("Message");
    case kDeletedColumn: return tr("Deleted");
    default: return {};
  }
}

int32_t ThemeRecordsModel::RecordNumber(int row) const { return row >= 0 && row < count_ ? row + 1 : 0; }

int ThemeRecordsModel::RowOf(int32_t recno) const { return recno >= 1 && recno <= count_ ? recno - 1 : -1; }

const ThemeRecordsModel::Row* ThemeRecordsModel::CachedRow(int row) const {
  if (row < 0 || row >= count_) return nullptr;
  const int first = row / kBlockRows * kBlockRows;
  auto kept = std::find_if(blocks_.begin(), blocks_.end(), [&](const Block& b) { return b.first == first; });
  if (kept == blocks_.end()) {
    try {
      blocks_.insert(blocks_.begin(), ReadBlock(first));
    } catch (const std::exception&) {
      return nullptr;  // a table that cannot be read shows blank rows
    }
    if (blocks_.size() > 2) blocks_.pop_back();
    kept = blocks_.begin();
  }
  const auto at = static_cast<std::size_t>(row - first);
  return at < kept->rows.size() ? &kept->rows[at] : nullptr;
}

int ThemeRecordsModel::LinkFirstRow() const {
  if (link_.RecordCount() == 0) return -1;
  const int active = link_.ActiveRecord();
  link_.SetActiveRecord(0);
  const int row = RowOf(table_.RecNo());
  link_.SetActiveRecord(active);
  return row;
}

ThemeRecordsModel::Block ThemeRecordsModel::ReadBlock(int first) const {
  Block block{first, {}};
  const int end = std::min(first + kBlockRows, count_);
  int link_first = LinkFirstRow();
  if (window_stale_ || link_first < 0 || first < link_first || end > link_first + link_.RecordCount()) {
    // The component centres its window on the record it goes to, (kBlockRows - 1) / 2 rows
    // after the window's first: on this block's first record, when the block is whole.
    const int32_t centre = std::min(first + 1 + (kBlockRows - 1) / 2, count_);
    if (table_.RecNo() == centre)
      table_.Refresh();  // it holds the records of before the last Refresh
    else
      table_.SetRecNo(centre);
    window_stale_ = false;
    records_read_ += link_.RecordCount();
    link_first = LinkFirstRow();
  }
  const int active = link_.ActiveRecord();
  for (int row = first; row < end && row - link_first < link_.RecordCount(); ++row) {
    link_.SetActiveRecord(row - link_first);
    block.rows.push_back(ReadActiveRecord());
  }
  link_.SetActiveRecord(active);
  return block;
}

ThemeRecordsModel::Row ThemeRecordsModel::ReadActiveRecord() const {
  Row row;
  // A record buffer's data starts with the deletion flag.
  row.deleted = table_.ActiveBuffer()[0] != 0;
  if (day_field_) row.day = DayText(day_field_->AsString());
  int32_t block = 0;
  if (message_field_ && message_field_->GetData(&block)) {
    std::vector<std::string> lines;
    table_.MemoToLines(block, lines, false);
    if (!lines.empty()) row.message = QString::fromStdString(codec_->Decode(lines.front()));
  }
  return row;
}

void ThemeRecordsModel::Refresh() {
  const int old_count = count_;
  const int new_count = ReadRecordCount();
  blocks_.clear();
  window_stale_ = true;
  if (new_count > old_count) {
    beginInsertRows({}, old_count, new_count - 1);
    count_ = new_count;
    endInsertRows();
  } else if (new_count < old_count) {
    beginRemoveRows({}, new_count, old_count - 1);
    count_ = new_count;
    endRemoveRows();
  }
  const int kept = std::min(old_count, new_count);
  if (kept > 0) Q_EMIT dataChanged(index(0, 0), index(kept - 1, kColumnCount - 1));
}

}  // namespace vornelle::app
