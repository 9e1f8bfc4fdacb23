// The page in a real browser: Debian's chromium, headless, driven by
// playwright-core. Serves nothing itself: run.sh serves the site and passes
// its address, the browser and the expected answers (the shared examples).
//   node page_test.mjs URL CHROMIUM SCREENSHOT_DIR AFTER_TIAN AFTER_YI YI_TO_ZUO
import { chromium } from 'playwright-core';

const [url, executablePath, shots, afterTian, afterYi, yiToZuo] = process.argv.slice(2);
const failures = [];
function Check(ok, what, seen) {
  if (!ok) failures.push(`${what}: saw ${JSON.stringify(seen)}`);
}

const browser = await chromium.launch({
  executablePath,
  args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
         '--disable-sync', '--no-first-run'],
});
const origin = new URL(url).origin;
const context = await browser.newContext({ viewport: { width: 360, height: 640 } });
const page = await context.newPage();
const foreign = [], errors = [];
page.on('request', (r) => { if (!r.url().startsWith(origin)) foreign.push(r.url()); });
page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
page.on('pageerror', (e) => errors.push(String(e)));

// The idioms listed, separated by spaces, as the tool prints them.
async function Listed() {
  return (await page.locator('#candidates .idiom').allTextContents()).join(' ');
}

async function Ask(text) {
  await page.fill('#text', text);
  await page.click('#start');
  await page.waitForFunction(() => document.querySelector('#candidates li') !== null ||
                             document.querySelector('#message').textContent !== '', null, { timeout: 30000 });
}

await page.goto(url);
await page.waitForSelector('#rule option', { state: 'attached', timeout: 30000 });
await page.click('#start');
await page.waitForSelector('#candidates li', { timeout: 30000 });
Check(await Listed() === afterTian, 'the first text answers as the window does', await Listed());
await Ask('一心一意');
Check(await Listed() === afterYi, 'after 一心一意', await Listed());
await page.screenshot({ path: `${shots}/phone.png`, fullPage: true });

// A tap shows the meaning (fetched after the first answer: waited for).
await page.locator('#candidates li button').first().click();
const MeaningShown = () => page.waitForFunction(() => document.querySelector('#details-meaning').textContent !== '',
                                                null, { timeout: 30000 }).then(() => true, () => false);
Check(await MeaningShown() && !(await page.isHidden('#details')), 'a tap shows the meaning',
      await page.textContent('#details-meaning'));

// The rule switch: by sound, 一目十行 (háng) is followed by 航海梯山.
await page.selectOption('#rule', { label: '同音' });
await Ask('一目十行');
Check((await Listed()).split(' ').includes('航海梯山'), 'by sound after 一目十行', await Listed());
await page.reload();
await page.waitForSelector('#rule option', { state: 'attached' });
Check(await page.$eval('#rule', (s) => s.selectedOptions[0].textContent) === '同音', 'the rule is remembered',
      await page.$eval('#rule', (s) => s.value));

// A shortest chain (the shared example), under the classic rule.
await page.selectOption('#rule', { label: '经典' });
await page.fill('#chain-from', '一心一意');
await page.fill('#chain-to', '做贼心虚');
await page.click('#chain-start');
await page.waitForSelector('#chain li', { timeout: 30000 });
const chain = (await page.locator('#chain li').allTextContents()).join(' ');
Check(chain === yiToZuo, 'a shortest chain', chain);

// No horizontal scrolling on a phone; every control named.
Check(await page.evaluate(() => document.documentElement.scrollWidth <= window.innerWidth), 'no horizontal scroll',
      await page.evaluate(() => document.documentElement.scrollWidth));
const unnamed = await page.evaluate(() => [...document.querySelectorAll('button, input, select')]
  .filter((e) => !e.hidden && e.offsetParent !== null)
  .filter((e) => !(e.labels && e.labels.length) && !e.getAttribute('aria-label') &&
                 !e.getAttribute('aria-labelledby') && !e.textContent.trim())
  .map((e) => e.id || e.outerHTML.slice(0, 40)));
Check(unnamed.length === 0, 'every control has a name', unnamed);

// Offline after the first visit: the service worker answers, meanings too.
const controlled = await page.evaluate(() => Promise.race([
  navigator.serviceWorker.ready.then(() => true),
  new Promise((resolve) => setTimeout(() => resolve(false), 15000))]));
Check(controlled, 'a service worker is ready after the first visit', controlled);
await context.setOffline(true);
await page.reload();
await page.waitForSelector('#rule option', { state: 'attached', timeout: 30000 });
await Ask('一心一意');
await page.locator('#candidates li button').first().click();
Check((await Listed()).length > 0 && await MeaningShown(), 'offline: an answer and a meaning',
      [await Listed(), await page.textContent('#details-meaning')]);
await context.setOffline(false);

const desktop = await browser.newContext({ viewport: { width: 1280, height: 800 } });
const wide = await desktop.newPage();
await wide.goto(`${url}?q=${encodeURIComponent('一心一意')}`);
await wide.waitForSelector('#candidates li', { timeout: 30000 });
await wide.screenshot({ path: `${shots}/desktop.png` });

Check(foreign.length === 0, 'no request leaves the origin', foreign);
Check(errors.length === 0, 'no console error', errors);
await browser.close();
console.log(`playwright-core ${(await import('playwright-core/package.json', { with: { type: 'json' } })).default.version}`);
if (failures.length) {
  console.error(failures.join('\n'));
  process.exit(1);
}
console.log('page: every check passed');
