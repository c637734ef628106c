#pragma once
// The abstract stream: a sequence of bytes read, written and positioned. Sizes and positions
// are signed 32-bit, as in the files the engine reads.

#include <cstdint>
#include <string>

namespace vornelle::platform {

enum TSeekOrigin : int { soBeginning = 0, soCurrent = 1, soEnd = 2 };

class TStream {
 public:
  virtual ~TStream() = default;
  // Return the number of bytes moved; fewer than asked at the end of the data or on failure.
  virtual int32_t Read(void* buffer, int32_t count) = 0;
  virtual int32_t Write(const void* buffer, int32_t count) = 0;
  // Returns the new position.
  virtual int32_t Seek(int32_t offset, TSeekOrigin origin) = 0;
  // Completes what was written, raising when it cannot be kept. A stream whose writes need
  // completing (a memo value) also does it when destroyed, but a failure there can only go to
  // the application's handler: writers call Finish.
  virtual void Finish() {}

  int32_t Position() { return Seek(0, soCurrent); }
  void SetPosition(int32_t position) { Seek(position, soBeginning); }
  // The size, learnt by seeking to the end; the position is kept.
  int32_t Size();

  // Everything from the position to the end.
  std::string ReadAll();
  // Writes all of `bytes`; EInOutError "Stream write error" when fewer were taken.
  void WriteAll(const std::string& bytes);
};

// A stream over a text held in memory.
class TStringStream : public TStream {
 public:
  explicit TStringStream(std::string text = {}) : text_(std::move(text)) {}
  const std::string& DataString() const { return text_; }
  int32_t Read(void* buffer, int32_t count) override;
  // Writes over what is at the position, and beyond the end.
  int32_t Write(const void* buffer, int32_t count) override;
  // Positions stay within the text.
  int32_t Seek(int32_t offset, TSeekOrigin origin) override;

 protected:
  std::string text_;
  std::size_t position_ = 0;
};

}  // namespace vornelle::platform
