// Derives library/data/pinyin.txt, library/data/idioms.txt and
// library/data/meanings.txt from their three sources, by fixed rules, so that
// anyone can regenerate them byte for byte.
//
//   node import_dictionary.js UNIHAN_READINGS_TXT IDIOM_PACKAGE_DIR EXPLANATION_PACKAGE_DIR OUT_DIR
//
// Readings: every code point up to U+FFFF with one of kXHC1983, kTGHZ2013,
// kHanyuPinyin, kMandarin (the first present, in that order), readings made
// toneless, first occurrences kept, joined by spaces, cut to whole leading
// readings within 13 characters. Idioms: the package's list in its order,
// entries of 4 to 13 UTF-16 units. Meanings: one line per idiom, in the order
// of the idioms, the idiom, a tab and its explanation from the explanation
// package (empty where it has none): "\r\n" and a lone "\r" read as line
// breaks, spaces at line ends and around the whole trimmed, the number of a
// lone first sense dropped, and \, tab and line break escaped as \\, \t, \n.
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

function BuildPinyin(unihanText) {
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
    const lines = [];
    for (const code of [...fields.keys()].sort((a, b) => a - b)) {
        const entry = fields.get(code);
        const field = FIELDS.find((f) => f in entry);
        const readings = JoinReadings(ReadingsOf(field, entry[field]));
        if (!/^[a-z]+( [a-z]+)*$/.test(readings))
            throw new Error(`U+${code.toString(16)}: unexpected readings "${readings}"`);
        lines.push(`${String.fromCharCode(code)}\t${readings}\n`);
    }
    return lines.join('');
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
    return idioms.map((idiom) => `${idiom}\t${EscapeMeaning(TidyMeaning(explanationOf(idiom)))}\n`).join('');
}

function Main(argv) {
    if (argv.length !== 4) {
        console.error('usage: node import_dictionary.js UNIHAN_READINGS_TXT IDIOM_PACKAGE_DIR ' +
            'EXPLANATION_PACKAGE_DIR OUT_DIR');
        return 2;
    }
    const [unihan, idiomPackageDir, explanationPackageDir, outDir] = argv;
    const idioms = BuildIdioms(idiomPackageDir);
    fs.writeFileSync(path.join(outDir, 'pinyin.txt'), BuildPinyin(fs.readFileSync(unihan, 'utf8')));
    fs.writeFileSync(path.join(outDir, 'idioms.txt'), idioms);
    fs.writeFileSync(path.join(outDir, 'meanings.txt'), BuildMeanings(idioms, explanationPackageDir));
    return 0;
}

process.exitCode = Main(process.argv.slice(2));
