#include <windows.h>

#include "Platform.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  return productionMain();
}
