#pragma once
// A second program running beside a test, with pipes on its standard input and output: it
// reports on its output, and a holding one keeps what it holds until its input is closed.

#include <sys/types.h>

#include <cstdio>
#include <string>
#include <vector>

namespace vornelle::testing {

class Peer {
 public:
  // Starts `program` with `args`.
  Peer(const std::string& program, std::vector<std::string> args);
  ~Peer();
  Peer(const Peer&) = delete;
  Peer& operator=(const Peer&) = delete;

  // Sends the peer a line on its input.
  void Say(const std::string& line);
  // The next line the peer prints, without its line end; "<none>" when it printed no more.
  std::string Line();
  // Lets a holding peer go, and waits for it; returns its exit status (-1 when it did not exit
  // normally). Later calls return the same status; what it printed can still be read.
  int Finish();

 private:
  pid_t pid_ = -1;
  int to_ = -1;
  FILE* from_ = nullptr;
  int status_ = -1;
};

}  // namespace vornelle::testing
