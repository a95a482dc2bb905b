// Driving the web page in headless Chromium, shared by its test
// (web_page_test.js) and its benchmark (bench/web_page.js): the static
// server, the browser, and a page instrumented to keep what it schedules and
// when its frames come.
'use strict';
const {spawn} = require('child_process');
const puppeteer = require('puppeteer-core');

// A static server of PAGE_DIR on a free port of 127.0.0.1, stopped by its pid.
function startServer(pageDir) {
  return new Promise((resolve, reject) => {
    const server = spawn('python3', ['-u', '-m', 'http.server', '0', '--bind', '127.0.0.1'],
                         {cwd: pageDir, stdio: ['ignore', 'pipe', 'ignore']});
    server.on('error', reject);
    server.stdout.on('data', data => {
      const port = /port (\d+)/.exec(String(data));
      if (port) resolve({pid: server.pid, port: Number(port[1])});
    });
    setTimeout(() => reject(new Error('the server did not say its port')), 10000);
  });
}

function launchBrowser() {
  return puppeteer.launch({executablePath: '/usr/bin/chromium', headless: 'new',
                           args: ['--no-sandbox', '--autoplay-policy=no-user-gesture-required']});
}

// A new page of `target` (a browser or a browser context) that keeps, in
// window.zephTest, the first `keptBuffers` buffers the page schedules (their
// samples) and the start of every one, when each animation frame is asked
// for (the end of a frame's work) and comes, and when the first frame after
// the click came.
async function newInstrumentedPage(target, keptBuffers) {
  const page = await target.newPage();
  await page.setViewport({width: 800, height: 600});
  page.on('pageerror', error => console.log('page error:', error.message));
  await page.evaluateOnNewDocument(keptBuffers => {
    window.zephTest = {buffers: [], starts: [], frames: [], asked: [], clickAt: 0, firstFrameAt: 0};
    const start = AudioBufferSourceNode.prototype.start;
    AudioBufferSourceNode.prototype.start = function(when) {
      zephTest.starts.push({when, seconds: this.buffer.duration, at: performance.now(), now: this.context.currentTime});
      if (zephTest.buffers.length < keptBuffers)
        zephTest.buffers.push({when, left: Array.from(this.buffer.getChannelData(0)),
                               right: Array.from(this.buffer.getChannelData(1))});
      return start.apply(this, arguments);
    };
    const frame = window.requestAnimationFrame;
    window.requestAnimationFrame = callback => {
      zephTest.asked.push(performance.now());
      return frame(time => {
        if (zephTest.clickAt && !zephTest.firstFrameAt) zephTest.firstFrameAt = performance.now();
        zephTest.frames.push(performance.now());
        callback(time);
      });
    };
    document.addEventListener('click', () => { zephTest.clickAt = performance.now(); }, true);
  }, keptBuffers);
  return page;
}

// The median and 95th percentile of `values`.
function spread(values) {
  const sorted = values.slice().sort((a, b) => a - b);
  const at = share => sorted[Math.floor(share * (sorted.length - 1))];
  return {median: at(0.5), p95: at(0.95)};
}

module.exports = {startServer, launchBrowser, newInstrumentedPage, spread};
