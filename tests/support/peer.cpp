#include "tests/support/peer.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

namespace vornelle::testing {

Peer::Peer(const std::string& program, std::vector<std::string> args) {
  int in[2], out[2];
  // Close-on-exec, so that a peer started later does not keep this one's input open.
  if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0) return;
  pid_ = fork();
  if (pid_ == 0) {
    dup2(in[0], 0);
    dup2(out[1], 1);
    close(in[1]);
    close(out[0]);
    std::string path = program;
    std::vector<char*> argv{path.data()};
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    execv(path.c_str(), argv.data());
    _exit(127);
  }
  close(in[0]);
  close(out[1]);
  to_ = in[1];
  from_ = fdopen(out[0], "r");
}

Peer::~Peer() {
  Finish();
  if (from_) fclose(from_);
}

void Peer::Say(const std::string& line) {
  const std::string text = line + "\n";
  if (to_ >= 0 && write(to_, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
    close(to_);
    to_ = -1;
  }
}

std::string Peer::Line() {
  char* buffer = nullptr;
  std::size_t size = 0;
  const ssize_t got = from_ ? getline(&buffer, &size, from_) : -1;
  std::string line = got >= 0 ? std::string(buffer, static_cast<std::size_t>(got)) : "<none>";
  free(buffer);
  if (!line.empty() && line.back() == '\n') line.pop_back();
  return line;
}

int Peer::Finish() {
  if (pid_ <= 0) return status_;
  if (to_ >= 0) close(to_);
  to_ = -1;
  int status = 0;
  waitpid(pid_, &status, 0);
  pid_ = -1;
  status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return status_;
}

}  // namespace vornelle::testing
