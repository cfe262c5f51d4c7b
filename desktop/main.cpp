// Velmora: plays the show's music and draws its four-minute sequence of scenes in step with it.
#include "desktop/live_show.h"

int main(int argc, char** argv) {
  return RunVelmora(argc, argv);
}
