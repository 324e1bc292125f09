// Answers the learner preview of the test document (every question type) in headless chromium:
// rightly, wrongly and partly, with the mouse and by touch, and checks the scores and feedback
// the page gives. Keeps a screenshot of each quiz page in ARTIFACTS.
//
// usage: node preview_check.mjs PREVIEW_DIR ARTIFACTS_DIR [CHROMIUM]
// exit 0 when every expectation holds; 1 with the differences otherwise.

import path from 'node:path';
import fs from 'node:fs';
import {pathToFileURL} from 'node:url';
import puppeteer from 'puppeteer-core';

const [dir, artifacts, chromium = '/usr/bin/chromium'] = process.argv.slice(2);
fs.mkdirSync(artifacts, {recursive: true});
const failures = [];

function expect(what, actual, wanted) {
  if (JSON.stringify(actual) !== JSON.stringify(wanted)) {
    failures.push(`${what}: got ${JSON.stringify(actual)}, wanted ${JSON.stringify(wanted)}`);
  }
}

const browser = await puppeteer.launch({
  executablePath: chromium,
  headless: true,
  args: ['--no-sandbox', '--allow-file-access-from-files', '--disable-gpu'],
});

async function open(file) {
  const page = await browser.newPage();
  // Tall enough that every question is in view: pointer events go to what is on the screen.
  await page.setViewport({width: 1000, height: 2600, hasTouch: true});
  page.on('pageerror', (e) => failures.push(`${file}: script error ${e.message}`));
  await page.goto(pathToFileURL(path.join(dir, file)).href);
  return page;
}

// The n-th question section of the page (0-based) as an element handle.
async function question(page, n) {
  return (await page.$$('section.question'))[n];
}

async function tick(page, n, answers) {
  const inputs = await (await question(page, n)).$$('.answers input');
  for (const i of answers) await inputs[i].click();
}

async function type(page, n, texts) {
  const blanks = await (await question(page, n)).$$('.blank');
  for (let i = 0; i < texts.length; i++) await blanks[i].type(texts[i]);
}

async function centre(handle) {
  const b = await handle.boundingBox();
  return {x: b.x + b.width / 2, y: b.y + b.height / 2};
}

// Drags item `item` of the drag-and-drop question so that its centre lands on (x, y) of the
// picture, in pixels.
async function drag(page, n, item, x, y, byTouch) {
  const section = await question(page, n);
  const handle = (await section.$$('.item'))[item];
  const area = await (await section.$('.area')).boundingBox();
  const from = await centre(handle);
  const to = {x: area.x + x, y: area.y + y};
  if (byTouch) {
    await page.touchscreen.touchStart(from.x, from.y);
    for (let s = 1; s <= 5; s++) {
      await page.touchscreen.touchMove(from.x + (to.x - from.x) * s / 5,
                                       from.y + (to.y - from.y) * s / 5);
    }
    await page.touchscreen.touchEnd();
  } else {
    await page.mouse.move(from.x, from.y);
    await page.mouse.down();
    await page.mouse.move(to.x, to.y, {steps: 5});
    await page.mouse.up();
  }
}

async function clickSpot(page, n, x, y) {
  const area = await (await (await question(page, n)).$('.area.spot')).boundingBox();
  await page.mouse.click(area.x + x, area.y + y);
}

async function check(page) {
  await page.click('#check');
  return page.evaluate(() => ({
    results: window.previewResults.map((r) => [r.score, r.feedback]),
    total: document.getElementById('total').textContent,
  }));
}

// Zones of the drag-and-drop question, centres in pixels: North at (20,15) and South at
// (250,60) points, 100 x 30 points each.
const north = {x: (20 + 50) * 4 / 3, y: (15 + 15) * 4 / 3};
const south = {x: (250 + 50) * 4 / 3, y: (60 + 15) * 4 / 3};
// The heart: an oval at (40,30) points, 30 x 20.
const heart = {x: 55 * 4 / 3, y: 40 * 4 / 3};

const right = 'Right & well done', wrong = 'Look at the sky <again>';

// Page 2 holds the eight questions that score themselves.
{
  const page = await open('page2.html');
  await tick(page, 0, [0]);
  await tick(page, 1, [0, 1]);
  await tick(page, 2, [2]);
  await type(page, 2, ['blue']);
  await tick(page, 3, [1, 3]);
  await type(page, 3, ['6']);
  await type(page, 4, ['France', 'Italia']);
  await tick(page, 5, [0]);
  await drag(page, 6, 0, north.x, north.y, false);
  await drag(page, 6, 1, south.x, south.y, false);
  await clickSpot(page, 7, heart.x, heart.y);
  const got = await check(page);
  expect('right answers', got.results,
         [[10, right], [6, ''], [4, ''], [8, ''], [5, ''], [2, ''], [6, ''], [3, '']]);
  expect('right total', got.total, 'Total: 44 of 44');
  await page.screenshot({path: path.join(artifacts, 'page2-answered.png'), fullPage: true});
  await page.close();
}
{
  const page = await open('page2.html');
  await tick(page, 0, [1]);
  await tick(page, 1, [2, 3]);
  await tick(page, 2, [0]);
  await type(page, 2, ['red']);
  await tick(page, 3, [0]);
  await type(page, 4, ['Spain', 'Greece']);
  await tick(page, 5, [1]);
  await drag(page, 6, 0, south.x, south.y, false);
  await drag(page, 6, 1, north.x, north.y, false);
  await clickSpot(page, 7, 5, 5);
  const got = await check(page);
  expect('wrong answers', got.results,
         [[0, wrong], [0, ''], [0, ''], [0, ''], [0, ''], [0, ''], [0, ''], [0, '']]);
  expect('wrong total', got.total, 'Total: 0 of 44');
  await page.close();
}
{
  // Partly: partial credit where the author allowed it, nothing where not; one item dragged
  // by touch.
  const page = await open('page2.html');
  await tick(page, 1, [0, 1, 2]);
  await tick(page, 2, [2]);
  await type(page, 2, ['green']);
  await tick(page, 3, [1]);
  await type(page, 3, [' 8 ']);
  await type(page, 4, ['France', 'italy']);
  await drag(page, 6, 0, north.x, north.y, true);
  const got = await check(page);
  expect('partly right answers', got.results,
         [[0, wrong], [3, ''], [0, ''], [6, ''], [2.5, ''], [0, ''], [3, ''], [0, '']]);
  await page.close();
}
{
  const page = await open('page3.html');
  await (await page.$('textarea.essay')).type('Masses attract each other.');
  const got = await check(page);
  expect('short answer', got.results, [[null, 'Thanks']]);
  await page.screenshot({path: path.join(artifacts, 'page3-answered.png'), fullPage: true});
  await page.close();
}
{
  const page = await open('page1.html');
  expect('text page', await page.$eval('main', (m) => m.innerText.trim()),
         'Welcome to the course.\n\nRead this first.');
  expect('next link', await page.$eval('#next', (a) => a.getAttribute('href')), 'page2.html');
  await page.close();
}

await browser.close();
if (failures.length) {
  console.error(failures.join('\n'));
  process.exit(1);
}
console.log('preview: every expectation holds');
