// The web page's window: a canvas with a WebGL context under emscripten's GL
// 1.x emulation, keys from the page, and a swap that awaits the browser's
// next animation frame. The wait suspends DemoApp::run where it stands
// (emscripten's Asyncify), so the frame's order stays the one portable loop.
#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstring>
#include <deque>

#include "AudioProvider.h"
#include "DemoApp.h"
#include "FrameSetup.h"
#include "FrameWindow.h"
#include "Platform.h"

// Outside the anonymous namespace, so that its swap has the plain name
// "WebWindow::swap(DemoApp&)" the page's Asyncify list gives.
class WebWindow : public FrameWindow {
public:
  void open(DemoApp& app) override;
  WindowMessage takeMessage(DemoApp& app) override;
  void swap(DemoApp& app) override;
  double pacingRate(DemoApp& app) override;
  void restoreScreen() override;
  void close(DemoApp& app) override;
};

namespace {

// Keys that reached the page and have not yet been taken; main thread only.
struct PageKey {
  bool down;
  bool quit; // the quit message itself
  char name[32];
};
std::deque<PageKey> pageKeys;
bool fullscreenAsked = false;
DemoApp* runningApp = nullptr;

// The canvas's WebGL context, made by the emulation's own factory so that it
// sets itself up over it; 0 when the browser gives none.
EM_JS(int, createPageContext, (int width, int height), {
  var canvas = Module['canvas'];
  canvas.width = width;
  canvas.height = height;
  var attributes = {depth : true, stencil : false, antialias : false, alpha : false};
  return Module['createContext'](canvas, true, true, attributes) ? 1 : 0;
});

EM_JS(void, setPageFullscreen, (int on), {
  var canvas = Module['canvas'];
  if (on && canvas.requestFullscreen) canvas.requestFullscreen().catch(function(){});
  if (!on && document.fullscreenElement && document.exitFullscreen)
    document.exitFullscreen().catch(function(){});
});

EM_ASYNC_JS(void, awaitAnimationFrame, (),
            { await new Promise(function(resolve) { requestAnimationFrame(resolve); }); });

EM_BOOL keyEvent(int type, const EmscriptenKeyboardEvent* event, void*) {
  if (event->repeat && type == EMSCRIPTEN_EVENT_KEYDOWN) return EM_TRUE;
  PageKey key = {type == EMSCRIPTEN_EVENT_KEYDOWN, false, {}};
  std::strncpy(key.name, event->key, sizeof key.name - 1);
  pageKeys.push_back(key);
  // The page scrolls on neither the space bar nor the arrows.
  return EM_TRUE;
}

bool demoKey(const char* name, DemoKey& found) {
  static const struct {
    const char* page;
    DemoKey demo;
  } keys[] = {{" ", DemoKey::Space},
              {"ArrowLeft", DemoKey::Left},
              {"ArrowRight", DemoKey::Right},
              {"PageUp", DemoKey::PageUp},
              {"PageDown", DemoKey::PageDown},
              {"Home", DemoKey::Home},
              {"r", DemoKey::R},
              {"R", DemoKey::R}};
  for (const auto& key : keys) {
    if (std::strcmp(key.page, name) != 0) continue;
    found = key.demo;
    return true;
  }
  return false;
}

// The window procedure's counterpart: Escape quits, as on every platform.
void handleKey(DemoApp& app, const PageKey& key) {
  if (std::strcmp(key.name, "Escape") == 0) postQuit();
  DemoKey demo = DemoKey::Space;
  if (key.down && app.keyCallback && demoKey(key.name, demo)) app.keyCallback(&app, demo);
}

void listenForKeys(bool on) {
  const char* target = EMSCRIPTEN_EVENT_TARGET_WINDOW;
  emscripten_set_keydown_callback(target, nullptr, EM_TRUE, on ? keyEvent : nullptr);
  emscripten_set_keyup_callback(target, nullptr, EM_TRUE, on ? keyEvent : nullptr);
}

} // namespace

// The music clock as the frame reads it, for the page's tests and tools
// (Module._zephMusicTime()); -1 while no production runs with a source.
extern "C" EMSCRIPTEN_KEEPALIVE double zephMusicTime() {
  return runningApp && runningApp->audioProvider ? runningApp->audioProvider->getTime() : -1.0;
}

void platformPostQuit() {
  PageKey quit = {false, true, {}};
  pageKeys.push_back(quit);
}

void releaseScreenForErrorBox() {
  if (fullscreenAsked) setPageFullscreen(0);
  fullscreenAsked = false;
}

// The page cannot switch the display: full screen is the browser's, asked
// for the canvas (browsers grant it only within a click or key press).
void WebWindow::open(DemoApp& app) {
  if (!createPageContext(DemoApp::width, DemoApp::height)) throw "Could not set pixelformat";
  setWindowTitle(app.title);
  app.glContext = &app;
  DemoApp::window = &app;
  if (DemoApp::fullscreen) {
    setPageFullscreen(1);
    fullscreenAsked = true;
  }
  pageKeys.clear();
  listenForKeys(true);
  runningApp = &app;
}

WindowMessage WebWindow::takeMessage(DemoApp& app) {
  if (pageKeys.empty()) return WindowMessage::None;
  const PageKey key = pageKeys.front();
  pageKeys.pop_front();
  if (key.quit) return WindowMessage::Quit;
  handleKey(app, key);
  return WindowMessage::Handled;
}

// What was drawn shows when the page's script yields; the next frame starts
// at the browser's next animation frame. The one function of the window that
// the page's link instruments for the wait (ZephWebPage.cmake names it).
void WebWindow::swap(DemoApp&) {
  awaitAnimationFrame();
}

// The animation frames follow the display: the loop adds no pacing.
double WebWindow::pacingRate(DemoApp&) {
  return 0.0;
}

void WebWindow::restoreScreen() {
  releaseScreenForErrorBox();
}

void WebWindow::close(DemoApp& app) {
  runningApp = nullptr;
  listenForKeys(false);
  app.glContext = nullptr;
  DemoApp::window = nullptr;
}

FrameWindow& platformWindow() {
  static WebWindow window;
  return window;
}
