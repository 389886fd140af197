// Stands in for POV-Ray in the render tests. It writes its working directory
// and arguments, one a line, to "engine-called.txt" in its working directory,
// then acts as its INI file (the first argument ending in ".ini") says, with
// keys of its own:
//   Fake_Progress=25 50   progress lines on the error stream, as povray +V
//   Fake_Sleep_Ms=N       waits before the picture (a render to cancel)
//   Fake_Error=text       a line on the error stream (may repeat)
//   Fake_Write=0          writes no picture
//   Fake_Exit=N           the exit code (0 by default)
//   Fake_Crash=1          dies of a signal instead of exiting
// The picture is a grey binary PPM of Width x Height (4 x 3 by default) under
// Output_File_Name (Preview.png by default, whatever the name says).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

bool recordCall(int argc, char **argv) {
  char cwd[4096];
  std::FILE *f = getcwd(cwd, sizeof cwd) ? std::fopen("engine-called.part", "w") : nullptr;
  if (!f)
    return false;
  std::fprintf(f, "%s\n", cwd);
  for (int i = 1; i < argc; ++i)
    std::fprintf(f, "%s\n", argv[i]);
  std::fclose(f);
  // Appears whole, so a test that polls for it never reads half a file.
  return std::rename("engine-called.part", "engine-called.txt") == 0;
}

// The INI's keys; a repeated key keeps every value.
std::multimap<std::string, std::string> readIni(int argc, char **argv) {
  std::multimap<std::string, std::string> keys;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.size() < 4 || arg.compare(arg.size() - 4, 4, ".ini") != 0)
      continue;
    std::ifstream in(arg);
    for (std::string line; std::getline(in, line);) {
      const std::size_t eq = line.find('=');
      if (line.empty() || line[0] == ';' || eq == std::string::npos)
        continue;
      keys.emplace(line.substr(0, eq), line.substr(eq + 1));
    }
    break;
  }
  return keys;
}

std::string value(const std::multimap<std::string, std::string> &keys, const std::string &key,
                  const std::string &otherwise) {
  const auto it = keys.find(key);
  return it == keys.end() ? otherwise : it->second;
}

bool writePicture(const std::string &name, int width, int height) {
  std::ofstream out(name, std::ios::binary);
  out << "P6\n" << width << " " << height << "\n255\n";
  out << std::string(static_cast<std::size_t>(width * height * 3), '\x80');
  return static_cast<bool>(out);
}

} // namespace

int main(int argc, char **argv) {
  if (!recordCall(argc, argv))
    return 2;
  const auto keys = readIni(argc, argv);
  std::istringstream progress(value(keys, "Fake_Progress", ""));
  for (int percent = 0; progress >> percent;) {
    std::fprintf(stderr, "Rendered %d of 100 pixels (%d%%)\r", percent, percent);
    std::fflush(stderr);
  }
  std::this_thread::sleep_for(
      std::chrono::milliseconds(std::stoi(value(keys, "Fake_Sleep_Ms", "0"))));
  const auto errors = keys.equal_range("Fake_Error");
  for (auto it = errors.first; it != errors.second; ++it)
    std::fprintf(stderr, "%s\n", it->second.c_str());
  if (value(keys, "Fake_Crash", "0") == "1")
    std::abort();
  if (value(keys, "Fake_Write", "1") != "0" &&
      !writePicture(value(keys, "Output_File_Name", "Preview.png"),
                    std::stoi(value(keys, "Width", "4")), std::stoi(value(keys, "Height", "3"))))
    return 2;
  return std::stoi(value(keys, "Fake_Exit", "0"));
}
