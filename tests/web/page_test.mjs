// The page in a real browser: Debian's chromium, headless, driven by
// playwright-core. Serves nothing itself: run.sh serves the site and passes
// its address, the browser and the expected answers (the shared examples).
// Prints the figures it sees: bytes and time before the first answer, and a
// query's time in the page. They are never checked: a busy machine is slower.
//   node page_test.mjs URL SITE_DIR CHROMIUM SCREENSHOT_DIR AFTER_TIAN AFTER_YI YI_TO_ZUO YI_MEANING PLAYER_WINS
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { gzipSync } from 'node:zlib';
import { chromium } from 'playwright-core';

const [url, site, executablePath, shots, afterTian, afterYi, yiToZuo, yiMeaning, playerWins] = process.argv.slice(2);
const failures = [];
function Check(ok, what, seen) {
  if (!ok) failures.push(`${what}: saw ${JSON.stringify(seen)}`);
}
const WAIT = { timeout: 30000 };

const browser = await chromium.launch({
  executablePath,
  args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
         '--disable-sync', '--no-first-run'],
});
const origin = new URL(url).origin;
const foreign = [], errors = [];
async function NewPage(viewport) {
  const context = await browser.newContext({ viewport, permissions: ['clipboard-read', 'clipboard-write'] });
  const page = await context.newPage();
  page.on('request', (r) => { if (!r.url().startsWith(origin)) foreign.push(r.url()); });
  page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
  page.on('pageerror', (e) => errors.push(String(e)));
  return { context, page };
}
const { context, page } = await NewPage({ width: 360, height: 640 });

// The idioms listed, separated by spaces, as the tool prints them.
async function Listed() {
  return (await page.locator('#candidates .idiom').allTextContents()).join(' ');
}

async function Ask(text) {
  await page.fill('#text', text);
  await page.click('#start');
  await page.waitForFunction(() => document.querySelector('#candidates li') !== null ||
                             document.querySelector('#message').textContent !== '', null, WAIT);
}

// The first visit, with nothing cached: the figures of a new visitor.
// The shared examples are in the rule's order, which a link can ask for.
await page.goto(`${url}?q=${encodeURIComponent('翠岫弈天')}&order=rule`);
await page.waitForSelector('#candidates li', WAIT);
Check(await Listed() === afterTian, 'the first text answers as the window does', await Listed());
const first = await page.evaluate(() => ({
  answer: performance.getEntriesByName('quovant-first-answer')[0].startTime,
  files: performance.getEntriesByType('resource')
    .filter((r) => r.startTime < performance.getEntriesByName('quovant-first-answer')[0].startTime)
    .map((r) => new URL(r.name).pathname),
}));
let raw = 0, gzipped = 0;
for (const path of ['/index.html', ...first.files]) {
  const bytes = readFileSync(`${site}${path}`);
  raw += bytes.length;
  gzipped += gzipSync(bytes, { level: 9 }).length;
}
console.log(`first visit: ${first.answer.toFixed(0)} ms from navigation to the first answer; ` +
            `${raw} bytes (${gzipped} gzipped) fetched before it: index.html ${first.files.join(' ')}`);
Check(!first.files.some((f) => f.endsWith('meanings.lzma') || f.endsWith('english.lzma')),
      'the meanings and the English come after the first answer', first.files);

await Ask('一心一意');
Check(await Listed() === afterYi, 'after 一心一意', await Listed());
await page.screenshot({ path: `${shots}/phone.png`, fullPage: true });
// A query's time in the page: the module's answer alone, and the whole query with its list drawn.
const timing = await page.evaluate(() => {
  const n = 500;
  let t = performance.now();
  for (let i = 0; i < n; ++i)
    Ask('PageCandidates', 0, '一心一意', '', 0);
  const answer = (performance.now() - t) / n;
  t = performance.now();
  for (let i = 0; i < n / 10; ++i)
    Query(false);
  return { answer, query: (performance.now() - t) / (n / 10) };
});
console.log(`a query in the page: ${(timing.answer * 1000).toFixed(0)} µs for the module's answer, ` +
            `${(timing.query * 1000).toFixed(0)} µs with the list drawn`);

// "See all", then a tap on 一心一意: its meaning, and a copy of it for a chat.
await Ask('一');
await page.click('#more');
await page.locator('#candidates li button', { hasText: '一心一意' }).first().click();
const Shows = (selector, text) => page.waitForFunction(
  ([s, t]) => document.querySelector(s).textContent === t, [selector, text], WAIT).then(() => true, () => false);
const MeaningIs = (meaning) => Shows('#details-meaning', meaning);
Check(await MeaningIs(yiMeaning), 'a tap shows the meaning', await page.textContent('#details-meaning'));
const yiEnglish = "concentrating one's thoughts and efforts; single-minded; bent on; intently";
Check(await Shows('#details-english', yiEnglish), 'and its English', await page.textContent('#details-english'));
const factsLine = await page.textContent('#details-facts');
Check(factsLine.includes('常用度：79'), 'and how common it is', factsLine);
await page.click('#copy');
const copied = await page.evaluate(() => navigator.clipboard.readText());
Check(copied === '一心一意', 'the copy holds the idiom', copied);
await page.click('#follow');
await page.waitForFunction(() => document.querySelector('#text').value === '一心一意', null, WAIT);
Check(await Listed() === afterYi, 'the chain goes on from the idiom tapped', await Listed());

// The rule switch: by sound, 一目十行 (háng) is followed by 航海梯山.
await page.selectOption('#rule', { label: '同音' });
await Ask('一目十行');
Check((await Listed()).split(' ').includes('航海梯山'), 'by sound after 一目十行', await Listed());
await page.reload();
await page.waitForSelector('#rule option', { state: 'attached' });
Check(await page.$eval('#rule', (s) => s.selectedOptions[0].textContent) === '同音', 'the rule is remembered',
      await page.$eval('#rule', (s) => s.value));
await page.selectOption('#rule', { label: '经典' });

// 排序 胜负: wins first; 盟山誓海 is followed by the dead end 海誓山盟.
await page.selectOption('#order', { label: '胜负' });
await Ask('盟山誓海');
const firstOutcome = await page.locator('#candidates li button > span:last-child').first().getAttribute('class');
Check(firstOutcome === 'win', 'by outcome, a win comes first', firstOutcome);
await page.selectOption('#order', { label: '规则' });

// A shortest chain (the shared example), its ends typed with white space
// around them as queries are trimmed: an ideographic space and a tab.
await page.fill('#chain-from', '\u3000一心一意');
await page.fill('#chain-to', '做贼心虚\t');
await page.click('#chain-start');
await page.waitForSelector('#chain li', WAIT);
const chain = (await page.locator('#chain li').allTextContents()).join(' ');
Check(chain === yiToZuo, 'a shortest chain', chain);

// The player's own idioms: 加入我的成语 offered where a text is no idiom,
// read by each character's customary reading, kept in the browser over a
// reload, an idiom from then on, and removed again.
const Own = () => page.locator('#own-list li').allTextContents();
await Ask('万里挑一');
Check(await page.isVisible('#own-add'), '加入我的成语 is offered for a text that is no idiom', await page.isVisible('#own-add'));
await page.click('#own-add');
await page.waitForSelector('#own-list li', WAIT);
Check((await Own()).some((line) => line.startsWith('万里挑一　wàn lǐ tiāo yī')), 'it is added, read wàn lǐ tiāo yī',
      await Own());
Check(!(await page.isVisible('#own-add')), 'and no longer offered', await page.isVisible('#own-add'));
await page.reload();
await page.waitForSelector('#own-list li', WAIT);
await Ask('成千上万');
await page.click('#more');
await page.waitForFunction(() => document.querySelector('#more').hidden, null, WAIT);
Check((await Listed()).split(' ').includes('万里挑一'), 'kept over a reload, it follows 成千上万', await Listed());
await page.click('#own-list li button');
await page.waitForFunction(() => document.querySelector('#own-section').hidden, null, WAIT);
await Ask('成千上万');
await page.click('#more');
await page.waitForFunction(() => document.querySelector('#more').hidden, null, WAIT);
Check(!(await Listed()).split(' ').includes('万里挑一'), 'removed, it follows no more', await Listed());

// A game: the player opens, a move that does not follow is refused, a hint,
// then the player's dead end wins.
const [opening, reply, winning] = playerWins.split(' ');
await page.selectOption('#game-level', { label: '高手' });  // the examples' computer
const GameSays = () => page.textContent('#game-message');
async function Move(idiom) {
  await page.fill('#game-move', idiom);
  await page.click('#game-play');
}
await Move(opening);
await page.waitForSelector('#game-chain li:nth-child(2)', WAIT);
Check((await page.locator('#game-chain li').allTextContents()).join(' ') === `你：${opening} 电脑：${reply}`,
      'the computer answers the opening', await page.locator('#game-chain li').allTextContents());
await Move('做贼心虚');
Check((await GameSays()).includes('做贼心虚') && (await GameSays()).includes(reply), 'a move that does not follow',
      await GameSays());
await page.click('#game-hint');
const hinted = await page.locator('#game-hints li').allTextContents();
Check(hinted.some((h) => h.startsWith(winning)), 'the hint offers the winning move', hinted);
await Move(winning);
await page.waitForSelector('#game-chain li:nth-child(3)', WAIT);
Check((await GameSays()).includes('你赢了') && await page.isDisabled('#game-move'), 'the player wins',
      [await GameSays(), await page.isDisabled('#game-move')]);
await page.click('#game-new');
await Move('');
await page.waitForSelector('#game-chain li', WAIT);
Check((await page.locator('#game-chain li').allTextContents()).length === 1 &&
      (await page.textContent('#game-position')) !== '', 'the computer opens a new game with advice',
      [await page.locator('#game-chain li').allTextContents(), await page.textContent('#game-position')]);

// 多人接龙 with a clock of four seconds: refused moves, a player out of time,
// a name edited; then a game with the computer in a seat.
const { page: group } = await NewPage({ width: 360, height: 640 });
await group.goto(`${url}?timer=4`);
await group.waitForSelector('#group-players li', WAIT);
const GroupSays = () => group.textContent('#group-message');
const GroupStatus = () => group.textContent('#group-status');
async function GroupPlay(idiom) {
  await group.fill('#group-move', idiom);
  await group.click('#group-play');
}
await group.fill('#group-players li:first-child input', '小明');
await group.click('#group-start');
Check((await GroupStatus()).includes('轮到 小明'), 'the first player is named as edited', await GroupStatus());
await GroupPlay('');
Check((await group.locator('#group-chain li').count()) === 0, 'a blank box plays nothing',
      await group.locator('#group-chain li').allTextContents());
await GroupPlay('一心一意');
await group.waitForFunction(() => document.querySelector('#group-status').textContent.includes('玩家2'), null, WAIT);
for (const [move, said] of [['不是成语', '不是词典里的成语'], ['一心一意', '已经用过'], ['做贼心虚', '接不上']]) {
  await GroupPlay(move);
  Check((await GroupSays()).includes(said), `多人接龙 refuses ${move}`, await GroupSays());
}
await group.waitForFunction(() => document.querySelector('#group-status').textContent.includes('获胜'), null, WAIT);
Check((await GroupStatus()) === '小明 获胜！', 'out of time, the other player wins', await GroupStatus());
Check((await group.locator('#group-players li').allTextContents()).join(' ').includes('出局（超时）'),
      'the player out is marked', await group.locator('#group-players li').allTextContents());
await group.check('#group-computer');
await group.click('#group-start');
await GroupPlay('一心一意');
await group.waitForSelector('#group-chain li:nth-child(2)', WAIT);
Check((await group.locator('#group-chain li').nth(1).textContent()).startsWith('电脑：'), 'the computer takes its turn',
      await group.locator('#group-chain li').allTextContents());
if (await group.isVisible('#group-pass'))
  await group.click('#group-pass');
await group.waitForFunction(() => document.querySelector('#group-status').textContent.includes('获胜'), null, WAIT);
Check((await GroupStatus()) === '电脑 获胜！', 'the computer wins when the player passes', await GroupStatus());

// No horizontal scrolling on a phone; every control named, as the
// browser's accessibility tree gives it to a screen reader.
Check(await page.evaluate(() => document.documentElement.scrollWidth <= window.innerWidth), 'no horizontal scroll',
      await page.evaluate(() => document.documentElement.scrollWidth));
const cdp = await context.newCDPSession(page);
const { nodes } = await cdp.send('Accessibility.getFullAXTree');
const CONTROLS = new Set(['button', 'textbox', 'combobox', 'checkbox', 'link', 'searchbox', 'listbox']);
const controls = nodes.filter((n) => !n.ignored && CONTROLS.has(n.role?.value));
const unnamed = controls.filter((n) => !String(n.name?.value ?? '').trim()).map((n) => n.role.value);
Check(controls.length >= 10 && unnamed.length === 0, 'every control has an accessible name',
      { controls: controls.length, unnamed });

// Offline after the first visit: the service worker answers, meanings too.
const controlled = await page.evaluate(() => Promise.race([
  navigator.serviceWorker.ready.then(() => true),
  new Promise((resolve) => setTimeout(() => resolve(false), 15000))]));
Check(controlled, 'a service worker is ready after the first visit', controlled);
await context.setOffline(true);
await page.goto(`${url}?q=${encodeURIComponent('一')}`);
await page.waitForSelector('#candidates li', WAIT);
const offlineAnswer = await page.evaluate(() => performance.getEntriesByName('quovant-first-answer')[0].startTime);
console.log(`offline visit: ${offlineAnswer.toFixed(0)} ms from navigation to the first answer`);
await page.click('#more');
await page.locator('#candidates li button', { hasText: '一心一意' }).first().click();
Check(await MeaningIs(yiMeaning), 'offline: an answer and a meaning', await page.textContent('#details-meaning'));
await context.setOffline(false);

const { page: wide } = await NewPage({ width: 1280, height: 800 });
await wide.goto(`${url}?q=${encodeURIComponent('一心一意')}`);
await wide.waitForSelector('#candidates li', WAIT);
await wide.screenshot({ path: `${shots}/desktop.png` });

Check(foreign.length === 0, 'no request leaves the origin', foreign);
Check(errors.length === 0, 'no console error', errors);
await browser.close();
console.log(`playwright-core ${createRequire(import.meta.url)('playwright-core/package.json').version}`);
if (failures.length) {
  console.error(failures.join('\n'));
  process.exit(1);
}
console.log('page: every check passed');
