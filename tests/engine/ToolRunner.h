// Runs a built program as a separate process and captures what it prints.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

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
  std::vector<std::string> copy = args;
  std::string program = exe;
  std::vector<char*> argv{program.data()};
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
