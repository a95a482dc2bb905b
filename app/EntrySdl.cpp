#include "Platform.h"

int main() {
  return productionMain();
}
