// The page's error box and title; the quit message is the window's (DemoAppWeb.cpp).
#include <emscripten.h>

#include <cstdio>

#include "FrameSetup.h"
#include "Platform.h"

namespace {

// An overlay over the canvas, captioned "Error!", with the text; the page
// defines how it looks (#zeph-error in index.html).
EM_JS(void, showPageError, (const char* text), {
  var message = UTF8ToString(text);
  var box = document.getElementById('zeph-error');
  if (!box) {
    box = document.createElement('div');
    box.id = 'zeph-error';
    document.body.appendChild(box);
  }
  while (box.firstChild)
    box.removeChild(box.firstChild);
  var caption = document.createElement('h1');
  caption.textContent = 'Error!';
  var body = document.createElement('p');
  body.textContent = message;
  box.appendChild(caption);
  box.appendChild(body);
  box.hidden = false;
});

EM_JS(void, setPageTitle, (const char* text), { document.title = UTF8ToString(text); });

} // namespace

void showErrorBox(const char* text) {
  releaseScreenForErrorBox();
  std::fprintf(stderr, "Error! %s\n", text);
  showPageError(text);
}

void setWindowTitle(const char* text) {
  setPageTitle(text);
}
