// The page: asks the module (quovant.js) and shows its answers. The rules,
// the game and the answers' words come from the module, and the page's own
// labels from index.html: the script only lays them out and remembers the
// rule chosen.
'use strict';

const RULE_KEY = 'quovant.rule';
const FOUR_KEY = 'quovant.four';
const OWN_KEY = 'quovant.own';  // the player's own idioms, as the tool's file keeps them

let module_ = null;
let texts = null;
let lastText = '';
let streamsAsked = false;
let detailed = null;  // the idiom whose details are shown

// Fetches the streams that come after the first answer (the meanings, the
// English), a file each, once the first answer is shown, and hands each to
// the module, which keeps it.
function FetchStreams() {
  if (streamsAsked)
    return;
  streamsAsked = true;
  for (const stream of texts.streams) {
    fetch(stream.file).then((response) => response.arrayBuffer()).then((bytes) => {
      const at = module_._malloc(bytes.byteLength);
      module_.HEAPU8.set(new Uint8Array(bytes), at);
      Ask('PageOfferStream', stream.kind, at, bytes.byteLength);
      if (detailed !== null)
        ShowDetails(detailed);  // now with what came
    });
  }
}

// Calls the module's Page function `name` with numbers and strings (passed
// as UTF-8) and parses its JSON answer.
function Ask(name, ...args) {
  const held = [];
  const converted = args.map((a) => {
    if (typeof a !== 'string') return a;
    const size = module_.lengthBytesUTF8(a) + 1;
    const at = module_._malloc(size);
    module_.stringToUTF8(a, at, size);
    held.push(at);
    return at;
  });
  try {
    return JSON.parse(module_.UTF8ToString(module_['_' + name](...converted)));
  } finally {
    held.forEach((at) => module_._free(at));
  }
}

function Rules() {
  const rule = Number(document.getElementById('rule').value);
  return rule | (document.getElementById('four').checked ? texts.fourOnlyFlag : 0);
}

function ShowCandidates(answer, all) {
  const list = document.getElementById('candidates');
  list.replaceChildren();
  document.getElementById('details').hidden = true;
  const message = document.getElementById('message');
  message.textContent = answer.candidates.length === 0 ? texts.notFound : '';
  for (const f of answer.candidates) {
    const item = document.createElement('li');
    const button = document.createElement('button');
    button.type = 'button';
    button.setAttribute('aria-label', `${f.idiom} ${f.reading || ''} ${f.line}`);
    const name = document.createElement('span');
    const idiom = document.createElement('span');
    idiom.className = 'idiom';
    idiom.textContent = f.idiom;
    const reading = document.createElement('span');
    reading.className = 'reading';
    reading.textContent = f.reading || '';
    name.append(idiom, reading);
    const facts = document.createElement('span');
    facts.className = f.outcome;
    facts.textContent = `${f.shown} ${f.followers}`;
    button.append(name, facts);
    button.addEventListener('click', () => ShowDetails(f));
    item.append(button);
    list.append(item);
  }
  document.getElementById('more').hidden = all || answer.candidates.length < texts.listed;
}

function ShowDetails(shown) {
  // Asked again: the meanings and the English may have come since the list was made.
  const f = Ask('PageIdiom', Rules(), shown.idiom);
  detailed = shown;
  document.getElementById('details').hidden = false;
  document.getElementById('details-idiom').textContent = f.idiom;
  document.getElementById('details-reading').textContent = f.reading || '';
  document.getElementById('details-facts').textContent = f.line;
  document.getElementById('details-meaning').textContent = f.meaning || '';
  document.getElementById('details-english').textContent = f.english || '';
  document.getElementById('copy').onclick = () => navigator.clipboard.writeText(f.idiom);
  document.getElementById('follow').onclick = () => {
    document.getElementById('text').value = f.idiom;
    Query(false);
  };
}

function ShowChain(answer) {
  const list = document.getElementById('chain');
  list.replaceChildren();
  for (const idiom of answer.chain || []) {
    const item = document.createElement('li');
    item.textContent = idiom;
    list.append(item);
  }
  document.getElementById('message').textContent = answer.chain ? '' : texts.notFound;
}

// The game against the computer: the page keeps the idioms played and the
// rule the game began with; the module judges each move and answers it.
const game = { chain: [], rules: 0, over: false, hint: [] };

function NewGame() {
  game.chain = [];
  game.rules = Rules();
  game.over = false;
  game.hint = [];
  document.getElementById('game-chain').replaceChildren();
  document.getElementById('game-message').textContent = '';
  document.getElementById('game-position').textContent = '';
  document.getElementById('game-hints').hidden = true;
  document.getElementById('game-move').disabled = false;
  document.getElementById('game-play').disabled = false;
}

function AddToGame(f, who) {
  game.chain.push(f.idiom);
  const item = document.createElement('li');
  item.className = who;
  item.textContent = `${document.getElementById('game-chain').dataset[who]}：${f.idiom}`;
  document.getElementById('game-chain').append(item);
}

function PlayTurn() {
  if (game.over)
    return;
  const input = document.getElementById('game-move');
  const answer = Ask('PageGameTurn', game.rules, game.chain.join('\n'), input.value);
  if (answer.verdict === 'played' && !answer.player && !answer.computer)
    return;  // nothing typed in a game: wait for an idiom
  document.getElementById('game-message').textContent = answer.error || answer.message;
  if (answer.error || answer.verdict !== 'played')
    return;
  input.value = '';
  document.getElementById('game-hints').hidden = true;
  if (answer.player)
    AddToGame(answer.player, 'player');
  if (answer.computer)
    AddToGame(answer.computer, 'computer');
  game.hint = answer.hint;
  game.over = answer.over !== null;
  document.getElementById('game-position').textContent =
    answer.position ? `${document.getElementById('game-position').dataset.label}：${texts.outcomes[answer.position]}` : '';
  document.getElementById('game-move').disabled = game.over;
  document.getElementById('game-play').disabled = game.over;
}

function ShowHint() {
  const list = document.getElementById('game-hints');
  list.replaceChildren();
  for (const f of game.hint) {
    const item = document.createElement('li');
    const button = document.createElement('button');
    button.type = 'button';
    button.textContent = `${f.idiom}　${f.line}`;
    button.addEventListener('click', () => {
      document.getElementById('game-move').value = f.idiom;
    });
    item.append(button);
    list.append(item);
  }
  list.hidden = game.hint.length === 0;
}

// The player's own idioms: kept in the browser, a line each ("idiom" or
// "idiom reading"), handed to the module at start and after each change.
function OwnLines() {
  return (localStorage.getItem(OWN_KEY) || '').split('\n').filter((line) => line.trim() !== '');
}

// Hands `lines` to the module and shows the list; the answer, or null when
// the module failed.
function SetOwn(lines) {
  const answer = Ask('PageSetPlayerIdioms', lines.join('\n'));
  if (answer.error)
    return null;
  const list = document.getElementById('own-list');
  list.replaceChildren();
  answer.lines.forEach((line, i) => {
    const item = document.createElement('li');
    const name = document.createElement('span');
    name.textContent = line.reading ? `${line.idiom}　${line.reading}` : `${line.idiom}　${line.message}`;
    const remove = document.createElement('button');
    remove.type = 'button';
    remove.textContent = '删除';
    remove.setAttribute('aria-label', `删除 ${line.idiom}`);
    remove.addEventListener('click', () => {
      const kept = OwnLines().filter((_, j) => j !== i);
      localStorage.setItem(OWN_KEY, kept.join('\n'));
      SetOwn(kept);
    });
    item.append(name, remove);
    list.append(item);
  });
  document.getElementById('own-section').hidden = answer.lines.length === 0;
  return answer;
}

function AddOwn() {
  const idiom = lastText.trim();
  const reading = document.getElementById('own-reading').value.trim();
  const lines = OwnLines().filter((line) => line.trim().split(/\s+/)[0] !== idiom);
  lines.push(reading === '' ? idiom : `${idiom} ${reading}`);
  const answer = SetOwn(lines);
  const added = answer && answer.lines[answer.lines.length - 1];
  const message = document.getElementById('own-message');
  if (!added || !added.reading) {
    message.textContent = added ? added.message : '';
    SetOwn(OwnLines());  // as it was
    return;
  }
  localStorage.setItem(OWN_KEY, lines.join('\n'));
  message.textContent = `已加入我的成语：${added.idiom}　${added.reading}`;
  document.getElementById('own-reading').value = '';
  Query(false);
}

// Offers 加入我的成语 where the text asked after is Chinese and no idiom.
function OfferOwn(text) {
  const trimmed = text.trim();
  const known = !/[^\x00-\x7f]/.test(trimmed) || Ask('PageIdiom', Rules(), trimmed).known;
  document.getElementById('own-form').hidden = known;
}

function Query(all) {
  lastText = document.getElementById('text').value;
  ShowCandidates(Ask('PageCandidates', Rules(), lastText, '', all ? 1 : 0), all);
  OfferOwn(lastText);
  // The moment a visitor first sees an answer, for measurements.
  if (performance.getEntriesByName('quovant-first-answer').length === 0)
    performance.mark('quovant-first-answer');
  FetchStreams();
}

function Setup() {
  texts = Ask('PageTexts');
  document.title = texts.product;
  document.getElementById('product').textContent = texts.product;
  document.getElementById('prompt').textContent = texts.prompt;
  document.getElementById('start').textContent = texts.start;
  document.getElementById('four-label').textContent = texts.fourOnly;
  document.getElementById('note').textContent = texts.note;
  const select = document.getElementById('rule');
  for (const r of texts.rules) {
    const option = document.createElement('option');
    option.value = r.rule;
    option.textContent = r.chinese;
    select.append(option);
  }
  select.value = localStorage.getItem(RULE_KEY) || '0';
  document.getElementById('four').checked = localStorage.getItem(FOUR_KEY) === '1';
  select.addEventListener('change', () => localStorage.setItem(RULE_KEY, select.value));
  document.getElementById('four').addEventListener('change', (e) =>
    localStorage.setItem(FOUR_KEY, e.target.checked ? '1' : '0'));
  document.getElementById('query').addEventListener('submit', (e) => {
    e.preventDefault();
    Query(false);
  });
  document.getElementById('more').addEventListener('click', () => Query(true));
  document.getElementById('own-form').addEventListener('submit', (e) => {
    e.preventDefault();
    AddOwn();
  });
  SetOwn(OwnLines());
  document.getElementById('game-form').addEventListener('submit', (e) => {
    e.preventDefault();
    PlayTurn();
  });
  document.getElementById('game-hint').addEventListener('click', ShowHint);
  document.getElementById('game-new').addEventListener('click', NewGame);
  // A game is played by the rule it began with: a new rule begins a new game.
  select.addEventListener('change', NewGame);
  document.getElementById('four').addEventListener('change', NewGame);
  NewGame();
  document.getElementById('chain-form').addEventListener('submit', (e) => {
    e.preventDefault();
    ShowChain(Ask('PageChain', Rules(), document.getElementById('chain-from').value,
                  document.getElementById('chain-to').value));
  });
}

// Offline after the first visit (http://127.0.0.1 and HTTPS only).
if ('serviceWorker' in navigator)
  navigator.serviceWorker.register('sw.js');

QuovantModule().then((m) => {
  module_ = m;
  const ready = Ask('PageReady');
  if (!ready.ready) {
    document.getElementById('message').textContent = ready.error;
    return;
  }
  Setup();
  // A link may carry the text to ask after: ?q=一心一意
  const asked = new URLSearchParams(location.search).get('q');
  if (asked !== null) {
    document.getElementById('text').value = asked;
    Query(false);
  }
});
