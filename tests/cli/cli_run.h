#pragma once
// Runs velmar-cli as a process and collects what it prints.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace velmar::testing_cli {

struct CliRun {
  int status;
  std::string out;
  std::string err;
};

// `args` is appended to the command line as it stands (shell words);
// `dir`, when given, is the working directory; `before`, shell commands
// run first in the same shell ("ulimit -f 4; ").
inline CliRun runCli(const std::string& args, const std::string& dir = "",
                     const std::string& before = "") {
  // ctest runs test cases side by side: each run gets a file of its own.
  std::string errFile = ::testing::TempDir() + "velmar_cli_stderr_XXXXXX";
  const int fd = mkstemp(errFile.data());
  if (fd >= 0) close(fd);
  std::string cmd = std::string(VELMAR_CLI_PATH) + " " + args + " 2>" + errFile;
  cmd = before + cmd;
  if (!dir.empty()) cmd = "cd '" + dir + "' && " + cmd;
  CliRun r{};
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return {-1, "", "popen failed"};
  std::array<char, 4096> buf{};
  size_t n;
  while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
  const int st = pclose(p);
  r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  std::ifstream e(errFile);
  std::stringstream ss;
  ss << e.rdbuf();
  r.err = ss.str();
  std::remove(errFile.c_str());
  return r;
}

inline std::string readFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream ss;
  ss << f.rdbuf();
  return ss.str();
}

// The text printed for one label, "<missing>" when there is no such line.
inline std::string line(const std::string& out, const std::string& label) {
  std::istringstream in(out);
  std::string l;
  while (std::getline(in, l))
    if (l.rfind(label + "\t", 0) == 0) return l.substr(label.size() + 1);
  return "<missing>";
}

}  // namespace velmar::testing_cli
