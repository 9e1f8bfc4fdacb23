// The page: asks the module (quovant.js) and shows its answers. The rules,
// the game and the answers' words come from the module, and the page's own
// labels from index.html: the script only lays them out, remembers what the
// visitor chose, and keeps the turns and the clock of a game of several
// players.
'use strict';

const RULE_KEY = 'quovant.rule';
const FOUR_KEY = 'quovant.four';
const ORDER_KEY = 'quovant.order';
const LEVEL_KEY = 'quovant.level';
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

// Adds an option to the select `box` for each of `items`: its value and its text.
function AddOptions(box, items, valueOf, textOf) {
  for (const item of items) {
    const option = document.createElement('option');
    option.value = valueOf(item);
    option.textContent = textOf(item);
    box.append(option);
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
const game = { chain: [], rules: 0, level: 0, seed: 0, over: false, hint: [] };

// A seed for a game's choices, a new one each game.
function NewSeed() {
  return crypto.getRandomValues(new Uint32Array(1))[0];
}

function NewGame() {
  game.chain = [];
  game.rules = Rules();
  game.level = Number(document.getElementById('game-level').value);
  game.seed = NewSeed();
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
  const answer = Ask('PageGameTurn', game.rules, game.level, game.seed, game.chain.join('\n'), input.value);
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

// 多人接龙: two to eight players on one device take turns; one who passes,
// runs out of time or has no idiom to play is out, and the next opens a new
// chain with any idiom not played yet; the last one left wins. The module
// judges each move and plays the computer's seat.
const group = { players: [], current: 0, played: [], last: '', rules: 0, level: 0, seed: 0, timer: null, left: 0,
  computerMove: null };
const GROUP_MIN = 2, GROUP_MAX = 8;

function SetupGroup() {
  const count = document.getElementById('group-count');
  const seats = Array.from({ length: GROUP_MAX - GROUP_MIN + 1 }, (_, i) => GROUP_MIN + i);
  AddOptions(count, seats, (n) => n, (n) => `${n} 人`);
  const level = document.getElementById('group-level');
  AddOptions(level, texts.levels, (l) => l.level, (l) => l.chinese);
  level.value = texts.defaultLevel;
  // The seconds a move may take, from a link too: ?timer=5
  const seconds = Number(new URLSearchParams(location.search).get('timer'));
  if (seconds > 0)
    document.getElementById('group-seconds').value = seconds;
  // Before a game, or after one, the seats follow the number chosen.
  count.addEventListener('change', () => {
    if (group.players.length === 0 || GroupOver()) {
      group.players = [];
      ShowPlayers();
    }
  });
  document.getElementById('group-start').addEventListener('click', StartGroup);
  document.getElementById('group-form').addEventListener('submit', (e) => {
    e.preventDefault();
    // A blank box is no move: the module would take it for the computer's.
    const move = document.getElementById('group-move').value;
    if (move.trim() !== '' && !group.players[group.current]?.computer)
      GroupMove(move);
  });
  document.getElementById('group-pass').addEventListener('click', () => PutOut('放弃'));
  ShowPlayers();
}

function StartGroup() {
  StopClock();
  const count = Number(document.getElementById('group-count').value);
  const computer = document.getElementById('group-computer').checked;
  const names = [...document.querySelectorAll('#group-players input')].map((i) => (i.disabled ? '' : i.value));
  group.players = Array.from({ length: count }, (_, i) => {
    const isComputer = computer && i === count - 1;
    return { name: isComputer ? '电脑' : names[i] || `玩家${i + 1}`, computer: isComputer, out: '' };
  });
  group.current = 0;
  group.played = [];
  group.last = '';
  group.rules = Rules();
  group.level = Number(document.getElementById('group-level').value);
  group.seed = NewSeed();
  document.getElementById('group-chain').replaceChildren();
  document.getElementById('group-message').textContent = '';
  BeginGroupTurn();
}

function ShowPlayers() {
  const list = document.getElementById('group-players');
  const shown = group.players.length > 0 ? group.players
    : Array.from({ length: Number(document.getElementById('group-count').value) }, (_, i) => (
      { name: `玩家${i + 1}`, computer: false, out: '' }));
  list.replaceChildren();
  shown.forEach((p, i) => {
    const item = document.createElement('li');
    if (group.players.length > 0 && i === group.current && !GroupOver())
      item.className = 'current';
    const name = document.createElement('input');
    name.value = p.name;
    name.disabled = p.computer;
    name.setAttribute('aria-label', `第 ${i + 1} 位玩家的名字`);
    name.addEventListener('change', () => { if (group.players[i]) group.players[i].name = name.value; });
    const state = document.createElement('span');
    state.textContent = p.out ? `出局（${p.out}）` : '';
    item.append(name, state);
    list.append(item);
  });
}

function InGame() {
  return group.players.filter((p) => !p.out);
}

function GroupOver() {
  return group.players.length > 0 && InGame().length <= 1;
}

function StopClock() {
  clearInterval(group.timer);
  group.timer = null;
  clearTimeout(group.computerMove);
  group.computerMove = null;
}

// The turn of the current player: the clock started, or the computer asked.
function BeginGroupTurn() {
  StopClock();
  ShowPlayers();
  const status = document.getElementById('group-status');
  const form = document.getElementById('group-form');
  if (GroupOver()) {
    const winner = InGame()[0];
    status.textContent = winner ? `${winner.name} 获胜！` : '';
    form.hidden = true;
    return;
  }
  const player = group.players[group.current];
  const say = () => {
    status.textContent = `轮到 ${player.name}` + (group.last ? `，接“${group.last}”` : '，新开一条接龙') +
      (group.timer ? `，还剩 ${group.left} 秒` : '');
  };
  form.hidden = player.computer;
  if (player.computer) {
    say();
    const seat = group.current;
    group.computerMove = setTimeout(() => {
      group.computerMove = null;
      if (group.current === seat && group.players[seat]?.computer)
        GroupMove('');
    }, 300);
    return;
  }
  if (document.getElementById('group-timed').checked) {
    group.left = Math.max(1, Number(document.getElementById('group-seconds').value) || 30);
    group.timer = setInterval(() => {
      if (--group.left <= 0)
        PutOut('超时');
      else
        say();
    }, 1000);
  }
  say();
  document.getElementById('group-move').value = '';
  document.getElementById('group-move').focus();
}

// The next player still in the game.
function AdvanceGroup() {
  const n = group.players.length;
  for (let step = 1; step <= n; ++step) {
    const next = (group.current + step) % n;
    if (!group.players[next].out) {
      group.current = next;
      return;
    }
  }
}

// The current player is out, for `why`; the next one opens a new chain.
function PutOut(why) {
  StopClock();
  group.players[group.current].out = why;
  group.last = '';
  AdvanceGroup();
  BeginGroupTurn();
}

function GroupMove(move) {
  if (GroupOver())
    return;
  const answer = Ask('PageGroupMove', group.rules, group.level, group.seed, group.played.join('\n'), group.last, move);
  const message = document.getElementById('group-message');
  if (answer.error || answer.stuck) {
    message.textContent = answer.error || '';
    if (answer.stuck)
      PutOut('无可接');
    return;
  }
  if (answer.verdict !== 'played') {
    message.textContent = answer.message;
    return;
  }
  message.textContent = '';
  const player = group.players[group.current];
  const item = document.createElement('li');
  item.textContent = `${player.name}：${answer.played.idiom}`;
  document.getElementById('group-chain').append(item);
  group.played.push(answer.played.idiom);
  group.last = answer.played.idiom;
  StopClock();
  AdvanceGroup();
  // After a dead end the next player has no idiom to play: out at once.
  if (answer.nextStuck && !GroupOver()) {
    PutOut('无可接');
    return;
  }
  BeginGroupTurn();
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
  ShowCandidates(Ask('PageCandidates', Rules(), Number(document.getElementById('order').value), lastText, '',
                     all ? 1 : 0), all);
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
  AddOptions(select, texts.rules, (r) => r.rule, (r) => r.chinese);
  // A select of `choices`, its value remembered under `key`, `fallback` until one is chosen.
  const Choices = (id, choices, value, key, fallback) => {
    const box = document.getElementById(id);
    AddOptions(box, choices, (c) => c[value], (c) => c.chinese);
    box.value = localStorage.getItem(key) ?? String(fallback);
    box.addEventListener('change', () => localStorage.setItem(key, box.value));
    return box;
  };
  const order = Choices('order', texts.orders, 'order', ORDER_KEY, texts.defaultOrder);
  // A link may name the order: ?order=rule
  const linked = texts.orders.find((o) => o.name === new URLSearchParams(location.search).get('order'));
  if (linked)
    order.value = linked.order;
  order.addEventListener('change', () => { if (lastText !== '') Query(false); });
  Choices('game-level', texts.levels, 'level', LEVEL_KEY, texts.defaultLevel)
    .addEventListener('change', NewGame);
  SetupGroup();
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
