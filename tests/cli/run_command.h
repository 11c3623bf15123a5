// Runs orbisca-chart through the shell as a user would, for the command's
// tests: standard output, standard error and the exit status.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

namespace orbisca::testing_cli {

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

// `s` quoted for the shell.
inline std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += (c == '\'') ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

// Runs the command (`program`, the build tree's unless given); `prefix` is
// shell text put before it (limits, traps, variables). Standard error goes
// through a file of this call's own, so that tests can run side by side.
inline Outcome RunChart(const std::vector<std::string>& args, const std::string& prefix = "",
                        const std::string& program = ORBISCA_CHART) {
  std::string errFile = ::testing::TempDir() + "orbisca-chart-stderr-XXXXXX";
  const int fd = mkstemp(errFile.data());
  if (fd < 0) return {};
  close(fd);
  std::string command = prefix + Quote(program);
  for (const std::string& a : args) command += " " + Quote(a);
  command += " 2>" + Quote(errFile);
  Outcome o;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return o;
  std::array<char, 4096> buffer{};
  std::size_t n = 0;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) o.out.append(buffer.data(), n);
  const int raw = pclose(pipe);
  o.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  if (FILE* f = std::fopen(errFile.c_str(), "r")) {
    while ((n = fread(buffer.data(), 1, buffer.size(), f)) > 0) o.err.append(buffer.data(), n);
    std::fclose(f);
  }
  std::remove(errFile.c_str());
  return o;
}

}  // namespace orbisca::testing_cli
