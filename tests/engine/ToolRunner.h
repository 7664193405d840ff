// Runs a built program as a separate process and captures what it prints.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace wltest {

struct ToolResult {
  int status = -1;
  std::string out, err;
};

inline std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// The emulator that runs a program built for another processor, from
// WL_TOOL_EMULATOR ("qemu-aarch64 -L /usr/aarch64-linux-gnu"); empty when the
// program runs natively.
inline std::vector<std::string> ToolEmulator() {
  std::vector<std::string> words;
  const char* emulator = std::getenv("WL_TOOL_EMULATOR");
  std::istringstream in(emulator ? emulator : "");
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

// Runs exe with the arguments, capturing stdout and stderr.
inline ToolResult RunProgram(const std::string& exe, const std::vector<std::string>& args) {
  std::string outPath = ::testing::TempDir() + "wl_tool_out_XXXXXX";
  std::string errPath = ::testing::TempDir() + "wl_tool_err_XXXXXX";
  const int outFd = mkstemp(outPath.data());
  const int errFd = mkstemp(errPath.data());
  ToolResult r;
  if (outFd < 0 || errFd < 0) {
    ADD_FAILURE() << "cannot create capture files";
    return r;
  }
  std::vector<std::string> copy = ToolEmulator();
  copy.push_back(exe);
  copy.insert(copy.end(), args.begin(), args.end());
  std::string program = copy.front();
  std::vector<char*> argv;
  for (auto& a : copy) argv.push_back(a.data());
  argv.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(outFd, 1);
    dup2(errFd, 2);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  close(outFd);
  close(errFd);
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.out = Slurp(outPath);
  r.err = Slurp(errPath);
  unlink(outPath.c_str());
  unlink(errPath.c_str());
  return r;
}

}  // namespace wltest
