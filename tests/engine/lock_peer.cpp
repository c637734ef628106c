// A second program for the lock and share tests: it opens a table with the engine and does one
// thing, printing its outcome on a line. "hold-" commands then keep their lock or open until
// their standard input ends.
//
//   lock_peer open TABLE [EXCLUSIVE]     prints 0 or the error code of the open
//   lock_peer rlock TABLE N              prints 1 when record N could be locked, else 0
//   lock_peer alock TABLE                prints 1 when the append lock could be had, else 0
//   lock_peer mlock TABLE                prints 1 when a memo value could be written (the memo
//                                        file lock was free), else 0
//   lock_peer hold-open|hold-rlock|hold-alock ...   as above, then waits
//   lock_peer append TABLE COUNT TAG     appends COUNT records "TAG:i" under the append lock
//   lock_peer replace TABLE N TEXT       writes TEXT into the first field of record N under its
//                                        record lock; prints 1 when done

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <thread>

#include "engine/engine.h"

using namespace vornelle::engine;

namespace {

void Say(const std::string& line) {
  std::cout << line << std::endl;
}

void WaitForRelease() {
  std::string ignored;
  std::getline(std::cin, ignored);
}

// The first field (a counted text in the record buffer) set to `text`, blank-padded.
void SetFirstField(const std::string& text) {
  char* field = FieldAddress(1);
  std::memset(field + 1, ' ', static_cast<unsigned char>(field[0]));
  std::memcpy(field + 1, text.data(), std::min<std::size_t>(text.size(), static_cast<unsigned char>(field[0])));
}

int AppendRecords(int count, const std::string& tag) {
  for (int i = 0; i < count; ++i) {
    while (!ALock()) std::this_thread::yield();
    ClearRecord();
    SetFirstField(tag + ":" + std::to_string(i));
    vornelle::engine::Append();
    Unlock();
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  std::string command = argv[1];
  std::string table = argv[2];
  SetRaise(true);
  bool hold = command.rfind("hold-", 0) == 0;
  if (hold) command = command.substr(5);
  try {
    if (command == "open") {
      std::string options = argc > 3 ? std::string(" ") + argv[3] : "";
      try {
        USE(table + options);
        Say("0");
      } catch (const ETavrinError&) {
        Say(std::to_string(LastError()));
      }
    } else {
      USE(table);
      if (command == "rlock") {
        Go(std::stoi(argv[3]));
        Say(RLock() ? "1" : "0");
      } else if (command == "alock") {
        Say(ALock() ? "1" : "0");
      } else if (command == "mlock") {
        try {
          Say(WriteMemoValue("peer", false) != 0 ? "1" : "0");
        } catch (const ETavrinError&) {
          Say("0");
        }
      } else if (command == "append") {
        return AppendRecords(std::stoi(argv[3]), argv[4]);
      } else if (command == "replace" && argc > 4) {
        Go(std::stoi(argv[3]));
        if (!RLock()) return Say("0"), 1;
        SetFirstField(argv[4]);
        Replace();
        Unlock();
        Say("1");
      } else {
        return 2;
      }
    }
    if (hold) WaitForRelease();
    CloseAll();
  } catch (const ETavrinError& e) {
    std::cerr << e.what() << std::endl;
    return 1;
  }
  return 0;
}
