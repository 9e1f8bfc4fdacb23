// Derives library/data/pinyin.txt, library/data/idioms.txt,
// library/data/meanings.txt and library/data/readings.txt from their four
// sources, by fixed rules, so that anyone can regenerate them byte for byte.
//
//   node import_dictionary.js UNIHAN_READINGS_TXT IDIOM_PACKAGE_DIR EXPLANATION_PACKAGE_DIR
//       PINYIN_PACKAGE_DIR OUT_DIR
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

// One line per idiom of idiomsText, in its order: the idiom, a tab and its
// meaning, empty where the package has no explanation for it.
function BuildMeanings(idiomsText, packageDir) {
    const explanationOf = ExplanationLookup(packageDir);
    const idioms = idiomsText.split('\n').filter((s) => s !== '');
    const idiomSet = new Set(idioms);
    return idioms.map((idiom) =>
        `${idiom}\t${EscapeMeaning(MendQuotes(TidyMeaning(explanationOf(idiom)), idiomSet))}\n`).join('');
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

// One line per idiom of idiomsText, in its order: the idiom, a tab and the
// tokens of its characters, separated by spaces. The pinyin package reads
// the whole idiom at once, so that a character of several readings is read
// as the idiom has it (三思而行 xing2, 行家里手 hang2); toneSandhi: false keeps
// 一 and 不 in their citation tones (yi1, bu4) whatever follows them, and
// type 'all' gives, for each character, the toneless syllable (ü as v, with
// toneType 'none' and v: true), its tone as a number and whether the
// character is Chinese.
// A character that the package reads as no valid syllable (it reads 枝 as
// "zh" in 枝大于本) takes its reading from pinyin.txt, where that gives the
// character exactly one, and the tone of the first of the character's Unihan
// readings with that syllable; anything else stops the import. Returns the
// text and a line for each character read so.
function BuildReadings(idiomsText, packageDir, pinyinText, unihanReadings) {
    const { pinyin } = require(path.resolve(packageDir));
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
        lines.push(`${idiom}\t${tokens.join(' ')}\n`);
    }
    return { text: lines.join(''), replaced };
}

function Main(argv) {
    if (argv.length !== 5) {
        console.error('usage: node import_dictionary.js UNIHAN_READINGS_TXT IDIOM_PACKAGE_DIR ' +
            'EXPLANATION_PACKAGE_DIR PINYIN_PACKAGE_DIR OUT_DIR');
        return 2;
    }
    const [unihan, idiomPackageDir, explanationPackageDir, pinyinPackageDir, outDir] = argv;
    const unihanReadings = UnihanReadings(fs.readFileSync(unihan, 'utf8'));
    const pinyinText = BuildPinyin(unihanReadings);
    const idioms = BuildIdioms(idiomPackageDir);
    const readings = BuildReadings(idioms, pinyinPackageDir, pinyinText, unihanReadings);
    for (const line of readings.replaced)
        console.log(`readings.txt: ${line}`);
    fs.writeFileSync(path.join(outDir, 'pinyin.txt'), pinyinText);
    fs.writeFileSync(path.join(outDir, 'idioms.txt'), idioms);
    fs.writeFileSync(path.join(outDir, 'meanings.txt'), BuildMeanings(idioms, explanationPackageDir));
    fs.writeFileSync(path.join(outDir, 'readings.txt'), readings.text);
    return 0;
}

process.exitCode = Main(process.argv.slice(2));
