#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "tools/query_command.h"

namespace {

// The sample dictionary is built into Dic/Yomigo/ beside the executable.
std::string DictionaryBesideExecutable() {
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return "Dic/Yomigo/";
  return (exe.parent_path() / "Dic" / "Yomigo").string() + "/";
}

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  // Reading a key would otherwise flush the output first, a write per key in batch mode; the
  // batch loop flushes before it waits for input instead (query_command.cpp).
  std::cin.tie(nullptr);
  // Batch mode prints a line per hit; a large buffer keeps that from being a write per line.
  static char buffer[1 << 16];
  std::cout.rdbuf()->pubsetbuf(buffer, sizeof buffer);
  std::vector<std::string> args(argv + 1, argv + argc);
  int status = lexiv::RunQuery(args, DictionaryBesideExecutable(), std::cin, std::cout, std::cerr);
  std::cout.flush();
  return status;
}
