// The web page's figures in headless Chromium, beside the native off-screen
// frame cost: from the click to the first frame drawn (the click comes as soon
// as the page is there, so the page's files, its data and the production's
// loading are all included), the size of the page's own files beyond the
// data, and the frame time once it plays. Each run is a first visit, in a
// browser context of its own (its own cache).
//
// usage: node web_page.js PAGE_DIR RUNS NATIVE.json
//   NATIVE.json: bench_capture's draw stage, in Google Benchmark's JSON
'use strict';
const fs = require('fs');
const path = require('path');
const {startServer, launchBrowser, newInstrumentedPage, spread} = require('../tests/web/page_driver');

const [pageDir, runCount, nativeFile] = process.argv.slice(2);
const settleSeconds = 1, timedSeconds = 10;
const targets = {firstFrameMs: 1500, pageBytes: 3e6};

// CPU seconds of a process and all its descendants (the browser's renderer,
// GPU and audio processes), from /proc.
function treeCpuSeconds(rootPid) {
  const stats = fs.readdirSync('/proc').filter(name => /^\d+$/.test(name)).map(pid => {
    try {
      const fields = fs.readFileSync(`/proc/${pid}/stat`, 'utf8').split(') ')[1].split(' ');
      return {pid: Number(pid), parent: Number(fields[1]), ticks: Number(fields[11]) + Number(fields[12])};
    } catch (error) {
      return null; // ended meanwhile
    }
  }).filter(Boolean);
  const inTree = new Set([rootPid]);
  for (let grew = true; grew;) {
    grew = false;
    for (const s of stats)
      if (!inTree.has(s.pid) && inTree.has(s.parent)) inTree.add(s.pid), grew = true;
  }
  return stats.filter(s => inTree.has(s.pid)).reduce((sum, s) => sum + s.ticks, 0) / 100; // USER_HZ
}

const sleep = seconds => new Promise(resolve => setTimeout(resolve, seconds * 1000));
const frameCount = page => page.evaluate(() => zephTest.frames.length);

async function oneRun(browser, port) {
  const context = await browser.createBrowserContext();
  const page = await newInstrumentedPage(context, 0);
  await page.goto(`http://127.0.0.1:${port}/index.html`, {waitUntil: 'domcontentloaded'});
  await page.click('#zeph-start');
  await page.waitForFunction(() => zephTest.firstFrameAt > 0, {timeout: 30000, polling: 10});
  await sleep(settleSeconds);
  const before = {cpu: treeCpuSeconds(browser.process().pid), frames: await frameCount(page)};
  await sleep(timedSeconds);
  const after = {cpu: treeCpuSeconds(browser.process().pid), frames: await frameCount(page)};
  const seen = await page.evaluate(() => ({
    clickAt: zephTest.clickAt, firstFrameAt: zephTest.firstFrameAt, frames: zephTest.frames, asked: zephTest.asked,
    loadedAt: Math.max(...performance.getEntriesByType('resource').filter(entry => /zeph\.(js|wasm|data)$/.test(entry.name))
                            .map(entry => entry.responseEnd))}));
  await context.close();
  // A frame's work: from the animation frame that resumes the loop to the
  // next swap asking for one.
  const timed = seen.frames.slice(before.frames, after.frames);
  return {
    firstFrameMs: seen.firstFrameAt - seen.clickAt,
    loadedMs: seen.loadedAt - seen.clickAt,
    intervals: timed.slice(1).map((at, i) => at - timed[i]),
    work: timed.slice(0, -1).map((at, i) => seen.asked[before.frames + i + 1] - at),
    cpuMsPerFrame: (after.cpu - before.cpu) * 1000 / (after.frames - before.frames)};
}

function pageBytes() {
  const files = fs.readdirSync(pageDir).filter(name => !name.endsWith('.data'));
  return {files, bytes: files.reduce((sum, name) => sum + fs.statSync(path.join(pageDir, name)).size, 0)};
}

function nativeDraw() {
  const draw = JSON.parse(fs.readFileSync(nativeFile, 'utf8')).benchmarks.find(b => b.name.startsWith('draw'));
  return {cpu: draw.cpu_time, wall: draw.real_time, unit: draw.time_unit};
}

function report(results) {
  const ms = value => value.toFixed(1);
  const firstFrames = spread(results.map(r => r.firstFrameMs));
  const worst = Math.max(...results.map(r => r.firstFrameMs));
  const size = pageBytes();
  const intervals = spread([].concat(...results.map(r => r.intervals)));
  const work = spread([].concat(...results.map(r => r.work)));
  const cpu = spread(results.map(r => r.cpuMsPerFrame));
  const native = nativeDraw();
  console.log(`== web page, ${results.length} runs; frames timed for ${timedSeconds} s after ${settleSeconds} s of play`);
  console.log(`click to first frame: median ${firstFrames.median.toFixed(0)} ms, worst ${worst.toFixed(0)} ms ` +
              `(target at most ${targets.firstFrameMs} ms): ${worst <= targets.firstFrameMs ? 'met' : 'MISSED'}`);
  console.log(`page's files beyond the data: ${(size.bytes / 1e6).toFixed(2)} MB (${size.files.join(', ')}; ` +
              `target at most ${targets.pageBytes / 1e6} MB): ${size.bytes <= targets.pageBytes ? 'met' : 'MISSED'}`);
  console.log(`frame interval: median ${ms(intervals.median)} ms, 95th percentile ${ms(intervals.p95)} ms`);
  console.log(`frame's work on the page's thread: median ${ms(work.median)} ms, 95th percentile ${ms(work.p95)} ms`);
  console.log(`browser's CPU a frame, all its processes: median of the runs ${ms(cpu.median)} ms`);
  console.log(`native off-screen frame (bench_capture draw): CPU ${ms(native.cpu)} ${native.unit}, ` +
              `wall ${ms(native.wall)} ${native.unit}`);
}

(async () => {
  let server, browser;
  try {
    server = await startServer(pageDir);
    browser = await launchBrowser();
    const results = [];
    for (let run = 1; run <= Number(runCount); run++) {
      const r = await oneRun(browser, server.port);
      console.log(`run ${run}: first frame ${r.firstFrameMs.toFixed(0)} ms after the click ` +
                  `(its files in ${r.loadedMs.toFixed(0)} ms, negative: before the click); ${r.intervals.length + 1} frames timed, ` +
                  `browser's CPU ${r.cpuMsPerFrame.toFixed(1)} ms a frame`);
      results.push(r);
    }
    report(results);
  } catch (error) {
    console.log(`web_page: ${error.message || error}`);
    process.exitCode = 1;
  } finally {
    if (browser) await browser.close();
    if (server) process.kill(server.pid);
  }
})();
