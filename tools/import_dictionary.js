// Derives library/data/pinyin.txt and library/data/idioms.txt from their two
// sources, by fixed rules, so that anyone can regenerate them byte for byte.
//
//   node import_dictionary.js UNIHAN_READINGS_TXT IDIOM_PACKAGE_DIR OUT_DIR
//
// Readings: every code point up to U+FFFF with one of kXHC1983, kTGHZ2013,
// kHanyuPinyin, kMandarin (the first present, in that order), readings made
// toneless, first occurrences kept, joined by spaces, cut to whole leading
// readings within 13 characters. Idioms: the package's list in its order,
// entries of 4 to 13 UTF-16 units.
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

function Main(argv) {
    if (argv.length !== 3) {
        console.error('usage: node import_dictionary.js UNIHAN_READINGS_TXT IDIOM_PACKAGE_DIR OUT_DIR');
        return 2;
    }
    const [unihan, packageDir, outDir] = argv;
    fs.writeFileSync(path.join(outDir, 'pinyin.txt'), BuildPinyin(fs.readFileSync(unihan, 'utf8')));
    fs.writeFileSync(path.join(outDir, 'idioms.txt'), BuildIdioms(packageDir));
    return 0;
}

process.exitCode = Main(process.argv.slice(2));
