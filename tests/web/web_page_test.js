// The web page in headless Chromium: pictures against the native off-screen
// capture, the music played against the decoded music, Escape, and the
// error overlay for a missing data file. Every failure says whether the page
// or this test's own instruments (server, browser, reference files) failed.
//
// usage: node web_page_test.js PAGE_DIR REFERENCE_DIR MUSIC.raw
//   PAGE_DIR: index.html, zeph.js, zeph.wasm, zeph.data
//   REFERENCE_DIR: t<SECONDS>.rgb, 640 x 480 RGB frames of the native capture
//   MUSIC.raw: the decoded music, 16-bit stereo little-endian
'use strict';
const fs = require('fs');
const path = require('path');
const {startServer, launchBrowser, newInstrumentedPage, spread} = require('./page_driver');

const [pageDir, referenceDir, musicFile] = process.argv.slice(2);
const pictureTimes = [10, 30, 50, 70];
// The object turns by frames drawn, not by music time: its corner is left out.
const objectCorner = {x: 390, y: 260};
// Measured: at most 6 of 255 apart outside the object (rasterisation, filtering).
const tolerance = {level: 16, share: 0.001};
// Two frames a second apart in one picture's time: the object has turned by
// about 60 frames' steps, and nothing else has moved. Measured: 12842 pixels
// of its corner more than 16 apart; a still or missing object gives none.
const objectTurn = {minimum: 2000};
const musicFrames = 2 * 44100; // compared from the first scheduled buffer on
// The clock against what the output plays (music time 0 at the first
// buffer's start), the median of five readings: on a loaded machine the
// headless output's timestamps were seen to jump by 30 ms now and then, and
// the clock slews over such jumps. Measured: within 2 ms. A clock that
// followed the context's time instead of its output's would be 40 ms off.
const clockTolerance = 0.01;
// The web's float arithmetic rounds a few samples of the decoder's output the other way.
const sampleTolerance = 1;

let failures = 0;
function check(ok, what, detail) {
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}${detail ? ': ' + detail : ''}`);
  if (!ok) failures++;
}

function instrumentFailure(what, error) {
  console.log(`FAIL (test instrument) ${what}: ${error.message || error}`);
  process.exitCode = 2;
}

async function openPage(browser, port, query = '') {
  const page = await newInstrumentedPage(browser, 3);
  await page.goto(`http://127.0.0.1:${port}/index.html${query}`);
  await page.waitForFunction(() => Module.calledRun, {timeout: 30000});
  return page;
}

function compareFrame(shot, reference) {
  let over = 0, most = 0, counted = 0;
  for (let y = 0; y < 480; y++) {
    for (let x = 0; x < 640; x++) {
      if (x >= objectCorner.x && y >= objectCorner.y) continue;
      const i = (y * 640 + x) * 3;
      let d = 0;
      for (let k = 0; k < 3; k++) d = Math.max(d, Math.abs(shot[i + k] - reference[i + k]));
      most = Math.max(most, d);
      if (d > tolerance.level) over++;
      counted++;
    }
  }
  return {share: over / counted, most};
}

// How two frames differ: pixels more than the tolerance apart inside the
// object's corner, and their share outside it.
function frameChange(before, after) {
  let inside = 0, outside = 0, rest = 0;
  for (let y = 0; y < 480; y++) {
    for (let x = 0; x < 640; x++) {
      const i = (y * 640 + x) * 3;
      let d = 0;
      for (let k = 0; k < 3; k++) d = Math.max(d, Math.abs(before[i + k] - after[i + k]));
      const moved = d > tolerance.level ? 1 : 0;
      if (x >= objectCorner.x && y >= objectCorner.y) {
        inside += moved;
      } else {
        outside += moved;
        rest++;
      }
    }
  }
  return {inside, outside: outside / rest};
}

// The canvas as 640 x 480 RGB, read through a 2D canvas from a screenshot.
async function canvasPixels(page) {
  const box = await (await page.$('#canvas')).boundingBox();
  const png = await page.screenshot({clip: box, encoding: 'base64'});
  return page.evaluate(async data => {
    const image = new Image();
    image.src = 'data:image/png;base64,' + data;
    await image.decode();
    const canvas = document.createElement('canvas');
    canvas.width = 640, canvas.height = 480;
    const context = canvas.getContext('2d');
    context.drawImage(image, 0, 0, 640, 480);
    const rgba = context.getImageData(0, 0, 640, 480).data;
    const rgb = [];
    for (let i = 0; i < rgba.length; i += 4) rgb.push(rgba[i], rgba[i + 1], rgba[i + 2]);
    return rgb;
  }, png);
}

function musicMatches(buffers) {
  const music = fs.readFileSync(musicFile);
  let first = -1, mismatches = 0, compared = 0;
  const left = [].concat(...buffers.map(b => b.left)), right = [].concat(...buffers.map(b => b.right));
  for (let i = 0; i < Math.min(musicFrames, left.length); i++) {
    const expectLeft = music.readInt16LE(i * 4), expectRight = music.readInt16LE(i * 4 + 2);
    const gotLeft = Math.round(left[i] * 32768), gotRight = Math.round(right[i] * 32768);
    if (Math.abs(gotLeft - expectLeft) > sampleTolerance || Math.abs(gotRight - expectRight) > sampleTolerance) {
      mismatches++;
      if (first < 0) first = i;
    }
    compared++;
  }
  return {compared, mismatches, first};
}

async function playbackChecks(browser, port) {
  const page = await openPage(browser, port);
  await page.click('#zeph-start');
  for (const t of pictureTimes) {
    await page.waitForFunction(t => Module.zephAudioContext.getOutputTimestamp().contextTime > t,
                               {timeout: (t + 30) * 1000, polling: 50}, t);
    const reference = fs.readFileSync(path.join(referenceDir, `t${t}.rgb`));
    const shot = await canvasPixels(page);
    const {share, most} = compareFrame(shot, reference);
    check(share <= tolerance.share, `picture at ${t} s matches the native capture`,
          `${(share * 100).toFixed(3)} % of pixels more than ${tolerance.level} apart, at most ${most}`);
    // The clock while the music plays: a machine slowed by other work once
    // brought the end of the checks past the production's end.
    if (t === pictureTimes[0]) {
      const firstWhen = await page.evaluate(() => zephTest.starts[0].when);
      await clockCheck(page, firstWhen, 0, 'the clock follows the context\'s output time');
      // The clock's five readings took a second: the object has turned since.
      const turned = frameChange(shot, await canvasPixels(page));
      check(turned.inside >= objectTurn.minimum && turned.outside <= tolerance.share,
            'the object turns in front of the picture',
            `a second later ${turned.inside} pixels of its corner more than ${tolerance.level} apart, ` +
                `${(turned.outside * 100).toFixed(3)} % of the rest`);
    }
  }
  const test = await page.evaluate(() => ({buffers: zephTest.buffers, starts: zephTest.starts, clickAt: zephTest.clickAt,
                                           firstFrameAt: zephTest.firstFrameAt, frames: zephTest.frames,
                                           context: Module.zephAudioContext.getOutputTimestamp()}));
  const intervals = spread(test.frames.slice(1).map((at, i) => at - test.frames[i]).slice(60));
  console.log(`click to first frame: ${(test.firstFrameAt - test.clickAt).toFixed(0)} ms; ` +
              `frame interval: median ${intervals.median.toFixed(1)} ms, ` +
              `95th percentile ${intervals.p95.toFixed(1)} ms`);
  const {compared, mismatches, first} = musicMatches(test.buffers);
  check(compared === musicFrames && mismatches === 0, 'the page plays the decoded music',
        `${compared} frames compared, ${mismatches} more than ${sampleTolerance} apart` +
            `${first >= 0 ? ', first at ' + first : ''}`);
  const gaps = test.starts.slice(1).map((b, i) => b.when - test.starts[i].when - test.starts[i].seconds)
                   .filter(gap => Math.abs(gap) > 1e-6);
  check(test.starts.length > pictureTimes[pictureTimes.length - 1] && gaps.length === 0,
        'the buffers play back to back', `${test.starts.length} buffers, gaps: ${gaps.join(', ') || 'none'}`);
  if (process.env.ZEPH_WEB_TEST_VERBOSE) console.log(JSON.stringify(test.starts));
  await page.keyboard.press('Escape');
  await page.waitForFunction(() => Module.zephStatus !== undefined, {timeout: 5000}).catch(() => {});
  const ended = await page.evaluate(() => [Module.zephStatus, !document.getElementById('zeph-ended').hidden]);
  check(ended[0] === 1 && ended[1], 'Escape ends the production', `status ${ended[0]}, ended shown ${ended[1]}`);
  await page.close();
}

// The clock less what the output plays, `expected` seconds apart.
async function clockCheck(page, firstWhen, expected, what) {
  const offsets = [];
  for (let i = 0; i < 5; i++) {
    offsets.push(await page.evaluate(firstWhen => {
      const stamp = Module.zephAudioContext.getOutputTimestamp();
      const heard = stamp.contextTime + (performance.now() - stamp.performanceTime) / 1000 - firstWhen;
      return Module._zephMusicTime() - heard;
    }, firstWhen));
    await new Promise(resolve => setTimeout(resolve, 200));
  }
  const median = offsets.slice().sort((a, b) => a - b)[2];
  check(Math.abs(median - expected) <= clockTolerance, what,
        `median ${(median * 1000).toFixed(1)} ms of ${offsets.map(o => (o * 1000).toFixed(1)).join(', ')}`);
}

// ?latency=MS, the page's ZEPH_AUDIO_LATENCY_MS, holds the pictures back that much.
async function latencyCheck(browser, port) {
  const page = await openPage(browser, port, '?latency=150');
  await page.click('#zeph-start');
  await page.waitForFunction(() => Module.zephAudioContext.getOutputTimestamp().contextTime > 3,
                             {timeout: 30000, polling: 50});
  const firstWhen = await page.evaluate(() => zephTest.starts[0].when);
  await clockCheck(page, firstWhen, -0.15, 'the page\'s latency parameter holds the clock back');
  await page.close();
}

async function missingFileCheck(browser, port) {
  const page = await openPage(browser, port);
  await page.evaluate(() => Module.FS.unlink('/data/vote.png'));
  await page.click('#zeph-start');
  await page.waitForFunction(() => Module.zephStatus !== undefined, {timeout: 10000}).catch(() => {});
  const shown = await page.evaluate(() => {
    const box = document.getElementById('zeph-error');
    return {status: Module.zephStatus, hidden: box.hidden, caption: (box.querySelector('h1') || {}).textContent,
            text: (box.querySelector('p') || {}).textContent};
  });
  check(shown.status === -1 && !shown.hidden && shown.caption === 'Error!' &&
            shown.text === '[png] file does not exist',
        'a missing data file shows the "Error!" overlay with the loader\'s text', JSON.stringify(shown));
  await page.close();
}

(async () => {
  let server, browser;
  try {
    server = await startServer(pageDir);
    browser = await launchBrowser();
  } catch (error) {
    instrumentFailure('starting the server or chromium', error);
  }
  try {
    if (browser) {
      await missingFileCheck(browser, server.port);
      await latencyCheck(browser, server.port);
      await playbackChecks(browser, server.port);
    }
  } catch (error) {
    console.log(`FAIL (page) ${error.message}`);
    failures++;
  } finally {
    if (browser) await browser.close();
    if (server) process.kill(server.pid);
  }
  if (failures) process.exitCode = 1;
})();
