// The page's entry: the page calls main after its "click to start" and learns
// the production's status when it ends (app/page.html.in shows that it has ended).
#include <emscripten.h>

#include "Platform.h"
#include "ProductionInfo.h"

namespace {

EM_JS(void, tellPageEnded, (int status), {
  if (Module['productionEnded']) Module['productionEnded'](status);
});

EM_JS(void, sizePage, (int width, int height), {
  var stage = document.getElementById('stage');
  var canvas = Module['canvas'];
  stage.style.width = canvas.style.width = width + 'px';
  stage.style.height = canvas.style.height = height + 'px';
  canvas.width = width;
  canvas.height = height;
});

} // namespace

// The page before the click: the production's title and size, from its
// record, so that one page serves every production.
extern "C" EMSCRIPTEN_KEEPALIVE void zephShowProduction() {
  const ProductionInfo& info = productionInfo();
  setWindowTitle(info.title);
  sizePage(info.width, info.height);
}

int main() {
  const int status = productionMain();
  tellPageEnded(status);
  return status;
}
