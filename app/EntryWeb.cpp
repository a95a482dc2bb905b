// The page's entry: the page calls main after its "click to start" and learns
// the production's status when it ends (index.html shows that it has ended).
#include <emscripten.h>

#include "Platform.h"

namespace {

EM_JS(void, tellPageEnded, (int status), {
  if (Module['productionEnded']) Module['productionEnded'](status);
});

} // namespace

int main() {
  const int status = productionMain();
  tellPageEnded(status);
  return status;
}
