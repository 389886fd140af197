// Stands in for POV-Ray in the launcher tests: writes its working directory and
// arguments, one a line, to "engine-called.txt" in its working directory.
#include <cstdio>
#include <unistd.h>

int main(int argc, char **argv) {
  char cwd[4096];
  std::FILE *f = getcwd(cwd, sizeof cwd) ? std::fopen("engine-called.part", "w") : nullptr;
  if (!f)
    return 2;
  std::fprintf(f, "%s\n", cwd);
  for (int i = 1; i < argc; ++i)
    std::fprintf(f, "%s\n", argv[i]);
  std::fclose(f);
  // Appears whole, so a test that polls for it never reads half a file.
  return std::rename("engine-called.part", "engine-called.txt") == 0 ? 0 : 2;
}
