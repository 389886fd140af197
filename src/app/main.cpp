#include "app/PlaceApp.h"

// The program takes no arguments of its own; Qt's (such as -platform) still work.
int main(int argc, char **argv) {
  hs::PlaceApp app(argc, argv);
  return app.run();
}
