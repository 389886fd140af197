// Stands in for POV-Ray in the render tests; tests/io/README.md says what it does.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>

int main(int argc, char **argv) {
  std::multimap<std::string, std::string> keys;
  {
    std::ofstream called("engine-called.part");
    called << std::filesystem::current_path().string() << "\n";
    for (int i = 1; i < argc; ++i)
      called << argv[i] << "\n";
    // Renamed whole, for a test that polls for it.
    if (!called.flush() || std::rename("engine-called.part", "engine-called.txt") != 0)
      return 2;
  }
  for (int i = 1; i < argc && keys.empty(); ++i) {
    std::ifstream in(std::string(argv[i]).ends_with(".ini") ? argv[i] : "");
    for (std::string line; std::getline(in, line);)
      if (const std::size_t eq = line.find('='); !line.starts_with(';') && eq != std::string::npos)
        keys.emplace(line.substr(0, eq), line.substr(eq + 1));
  }
  const auto value = [&keys](const std::string &key, const std::string &otherwise) {
    return keys.contains(key) ? keys.find(key)->second : otherwise;
  };
  std::istringstream progress(value("Fake_Progress", ""));
  for (int percent = 0; progress >> percent;) {
    std::fprintf(stderr, "Rendered %d of 100 pixels (%d%%)\r", percent, percent);
    std::fflush(stderr);
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(std::stoi(value("Fake_Sleep_Ms", "0"))));
  for (auto [it, end] = keys.equal_range("Fake_Error"); it != end; ++it)
    std::fprintf(stderr, "%s\n", it->second.c_str());
  if (value("Fake_Crash", "0") == "1")
    std::abort();
  if (value("Fake_Write", "1") != "0") {
    const int width = std::stoi(value("Width", "4")), height = std::stoi(value("Height", "3"));
    std::ofstream out(value("Output_File_Name", "Preview.png"), std::ios::binary);
    out << "P6\n"
        << width << " " << height << "\n255\n"
        << std::string(static_cast<std::size_t>(width * height * 3), '\x80');
    if (!out)
      return 2;
  }
  return std::stoi(value("Fake_Exit", "0"));
}
