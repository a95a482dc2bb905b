// zeph_error_box TEXT: shows TEXT in the platform's "Error!" box, as the
// production does after a failure, so that the end-to-end tests can hold
// the production's box against this one.
#include "Platform.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  showErrorBox(argv[1]);
  return 0;
}
