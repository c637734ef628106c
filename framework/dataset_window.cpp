// TDataSet: the window of record buffers and the moves that fill and scroll it.

#include <algorithm>

#include "framework/data_link.h"
#include "framework/dataset.h"
#include "framework/errors.h"
#include "framework/messages.h"

namespace vornelle::framework {

void TDataSet::ClearBuffers() {
  record_count_ = 0;
  active_record_ = 0;
  current_record_ = -1;
  bof_ = true;
  eof_ = true;
}

void TDataSet::ActivateBuffers() {
  record_count_ = 1;
  active_record_ = 0;
  current_record_ = 0;
  bof_ = false;
  eof_ = false;
}

void TDataSet::SetCurrentRecord(int index) {
  if (current_record_ == index) return;
  TRecordBuffer buffer = buffers_[static_cast<std::size_t>(index)];
  switch (GetBookmarkFlag(buffer)) {
    // A new record has no place in the source yet: its buffer holds the bookmark of the record
    // it was inserted before.
    case bfCurrent:
    case bfInserted: InternalSetToRecord(buffer); break;
    case bfBOF: InternalFirst(); break;
    case bfEOF: InternalLast(); break;
  }
  current_record_ = index;
}

void TDataSet::UpdateCursorPos() {
  if (record_count_ > 0) SetCurrentRecord(active_record_);
}

// Fetches the record after the window's last into the slot past the window: a free slot, or
// the spare, in which case the window's first record is dropped and the rest move up a row.
bool TDataSet::GetNextRecord() {
  TGetMode mode = gmNext;
  if (record_count_ > 0) {
    SetCurrentRecord(record_count_ - 1);
    // A new record not posted yet stands before the record its bookmark names, where the
    // cursor now is: that record comes next.
    if (GetBookmarkFlag(buffers_[static_cast<std::size_t>(record_count_ - 1)]) == bfInserted)
      mode = gmCurrent;
  }
  if (GetRecord(buffers_[static_cast<std::size_t>(record_count_)], mode, true) != grOK) {
    CursorPosChanged();
    return false;
  }
  if (record_count_ == 0) {
    ActivateBuffers();
    return true;
  }
  if (record_count_ < buffer_count_) {
    ++record_count_;
  } else {
    std::rotate(buffers_.begin(), buffers_.begin() + 1, buffers_.end());
    active_record_ = std::max(0, active_record_ - 1);
    ++scrolled_;
  }
  current_record_ = record_count_ - 1;
  return true;
}

// Fetches the record before the window's first and puts it in row 0; the others move down a
// row, the last dropping out when the window is full. The active record moves with its row.
bool TDataSet::GetPriorRecord() {
  if (record_count_ > 0) SetCurrentRecord(0);
  if (GetRecord(buffers_[static_cast<std::size_t>(record_count_)], gmPrior, true) != grOK) {
    CursorPosChanged();
    return false;
  }
  if (record_count_ == 0) {
    ActivateBuffers();
    return true;
  }
  std::rotate(buffers_.begin(), buffers_.begin() + record_count_,
              buffers_.begin() + record_count_ + 1);
  if (record_count_ < buffer_count_) ++record_count_;
  active_record_ = std::min(active_record_ + 1, record_count_ - 1);
  current_record_ = 0;
  --scrolled_;
  return true;
}

int TDataSet::GetNextRecords() {
  int fetched = 0;
  while (record_count_ < buffer_count_ && GetNextRecord()) ++fetched;
  return fetched;
}

int TDataSet::GetPriorRecords() {
  int fetched = 0;
  while (record_count_ < buffer_count_ && GetPriorRecord()) ++fetched;
  return fetched;
}

void TDataSet::First() {
  CheckBrowseMode();
  DoBeforeScroll();
  ClearBuffers();
  try {
    InternalFirst();
    GetNextRecords();
  } catch (...) {
    bof_ = true;
    DataEvent(deDataSetChange);
    throw;
  }
  bof_ = true;
  DataEvent(deDataSetChange);
  DoAfterScroll();
}

void TDataSet::Last() {
  CheckBrowseMode();
  DoBeforeScroll();
  ClearBuffers();
  try {
    InternalLast();
    GetPriorRecords();
  } catch (...) {
    eof_ = true;
    DataEvent(deDataSetChange);
    throw;
  }
  eof_ = true;
  DataEvent(deDataSetChange);
  DoAfterScroll();
}

int TDataSet::MoveBy(int distance) {
  CheckBrowseMode();
  if ((distance > 0 && eof_) || (distance < 0 && bof_) || distance == 0) return 0;
  DoBeforeScroll();
  bof_ = false;
  eof_ = false;
  const int old_count = record_count_;
  scrolled_ = 0;
  int moved = 0;
  auto tell_controls = [&] {
    if (record_count_ != old_count)
      DataEvent(deDataSetChange);
    else
      DataEvent(deDataSetScroll, &scrolled_);
  };
  try {
    for (; distance > 0; --distance, ++moved) {
      if (active_record_ < record_count_ - 1) {
        ++active_record_;
      } else if (GetNextRecord()) {
        active_record_ = record_count_ - 1;
      } else {
        eof_ = true;
        break;
      }
    }
    for (; distance < 0; ++distance, ++moved) {
      if (active_record_ > 0) {
        --active_record_;
      } else if (GetPriorRecord()) {
        active_record_ = 0;
      } else {
        bof_ = true;
        break;
      }
    }
  } catch (...) {
    tell_controls();
    throw;
  }
  tell_controls();
  DoAfterScroll();
  return moved;
}

void TDataSet::Resync(unsigned mode) {
  TRecordBuffer first = buffers_[0];
  if (mode & rmExact) {
    CursorPosChanged();
    if (GetRecord(first, gmCurrent, true) != grOK) DatabaseError(msg::kRecordNotFound);
  } else if (GetRecord(first, gmCurrent, false) != grOK && GetRecord(first, gmNext, false) != grOK &&
             GetRecord(first, gmPrior, false) != grOK) {
    ClearBuffers();
    DataEvent(deDataSetChange);
    return;
  }
  // Row 0 holds the cursor's record; put it back on its row (or in the middle), then fill the
  // window on both sides.
  const int before = (mode & rmCenter) ? (buffer_count_ - 1) / 2 : active_record_;
  ActivateBuffers();
  for (int i = 0; i < before && GetPriorRecord(); ++i) {
  }
  GetNextRecords();
  GetPriorRecords();
  DataEvent(deDataSetChange);
}

void TDataSet::Refresh() {
  CheckBrowseMode();
  UpdateCursorPos();
  InternalRefresh();
  Resync(0);
}

int TDataSet::WantedBufferCount() const {
  int wanted = 1;
  for (const TDataSource* source : sources_)
    for (const TDataLink* link : source->links_) wanted = std::max(wanted, link->BufferCount());
  return wanted;
}

void TDataSet::UpdateBufferCount() {
  if (!buffers_.empty()) SetBufferCount(WantedBufferCount());
}

void TDataSet::SetBufferCount(int count) {
  if (count == buffer_count_) return;
  if (count > buffer_count_) {
    // New buffers go after the spare, which becomes one of the free window slots.
    for (int i = buffer_count_; i < count; ++i) buffers_.push_back(AllocRecordBuffer());
    buffer_count_ = count;
    if (record_count_ > 0) {
      GetNextRecords();
      GetPriorRecords();
    }
  } else {
    // Drop records above the active one first, then below it, so that it stays in the window.
    const int drop_front = std::max(0, active_record_ - (count - 1));
    std::rotate(buffers_.begin(), buffers_.begin() + drop_front, buffers_.end());
    record_count_ = std::min(record_count_ - drop_front, count);
    active_record_ -= drop_front;
    for (std::size_t i = static_cast<std::size_t>(count) + 1; i < buffers_.size(); ++i)
      FreeRecordBuffer(buffers_[i]);
    buffers_.resize(static_cast<std::size_t>(count) + 1);
    buffer_count_ = count;
    CursorPosChanged();
  }
  DataEvent(deDataSetChange);
}

}  // namespace vornelle::framework
