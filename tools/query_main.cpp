#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tools/query_command.h"
#include "tools/query_descriptors.h"

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
  std::vector<std::string> args(argv + 1, argv + argc);
  // Standard output is written in large pieces; the batch loop flushes it before it would wait
  // for the next key, so a script that sends one key at a time still gets each answer.
  lexiv::DescriptorStreams streams(STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO);
  int status = lexiv::RunQuery(args, DictionaryBesideExecutable(), streams);
  streams.Flush();
  return status;
}
