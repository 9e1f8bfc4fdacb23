// The page's module: the library linked in, and the questions the page asks
// of it, each answered as one JSON document in the shape of the tool's
// --json (client/answers.h), so that the page holds no rule and no game
// logic: the words of the answers come from here too, and the page's own
// labels from its index.html. An idiom's facts carry, for the page alone,
// "shown" (its outcome in Chinese) and "line" (its facts line). Texts cross
// as UTF-8; an answer is owned by the module until the next call.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "answers.h"
#include "ask.h"
#include "binding.h"
#include "computer.h"
#include "facts.h"
#include "facts_json.h"
#include "game.h"
#include "message.h"
#include "player_idioms.h"
#include "product.h"
#include "utf8.h"

using Json = nlohmann::ordered_json;

namespace {

std::string g_answer;  // the last answer handed to the page

const char *Answer(const Json &document)
{
    g_answer = JsonText(document);
    return g_answer.c_str();
}

// The facts object `object` of `facts`, with the page's Chinese words.
Json Shown(Json object, const QuovantFacts &facts)
{
    object["shown"] = OutcomeTextChinese(facts);
    object["line"] = FactsLineChinese(facts);
    return object;
}

// Text the page got from a box, trimmed as queries are.
std::string Trimmed(const char *text)
{
    return Utf16ToUtf8(TrimWhiteSpace(Utf8ToUtf16Lossy(text == nullptr ? "" : text)));
}

const char *Failed()
{
    return Answer(Json{{"error", std::string(BINDING_FAILURE_ERROR)}});
}

// The idioms of `lines`, one a line, trimmed; blank lines left out.
std::vector<std::u16string> Played(const char *lines)
{
    std::vector<std::u16string> played;
    const std::u16string all = Utf8ToUtf16Lossy(lines == nullptr ? "" : lines);
    for (std::size_t start = 0; start <= all.size();) {
        std::size_t end = all.find(u'\n', start);
        if (end == std::u16string::npos)
            end = all.size();
        const std::u16string_view idiom = TrimWhiteSpace(std::u16string_view(all).substr(start, end - start));
        if (!idiom.empty())
            played.emplace_back(idiom);
        start = end + 1;
    }
    return played;
}

// The level numbered `level` on the page (its place in PageTexts' "levels"),
// the default one for any other number.
Level LevelAt(int level)
{
    return level >= 0 && level < static_cast<int>(std::size(LEVEL_NAMES)) ? LEVEL_NAMES[level].level : DEFAULT_LEVEL;
}

}  // namespace

extern "C" {

// Readies the dictionary: {"ready": true}, or {"error": ...}.
EMSCRIPTEN_KEEPALIVE const char *PageReady()
{
    return BindLibrary(LIBRARY_FILE_NAME) ? Answer(Json{{"ready", true}}) : Failed();
}

// The streams that the page fetches after its first answer, each a file of
// its own beside the module.
const struct {
    const char *file;
    int kind;
} FETCHED_STREAMS[] = {{"meanings.lzma", QUOVANT_STREAM_MEANINGS}, {"english.lzma", QUOVANT_STREAM_ENGLISH}};

// Offers a stream that the page fetched (one of PageTexts' "streams", by its
// `kind`), `length` bytes at `data`, allocated with malloc and never freed
// (the stream must stay readable); unpacked when first asked for.
// {"offered": whether the kind is a stream}.
EMSCRIPTEN_KEEPALIVE const char *PageOfferStream(int kind, const unsigned char *data, std::size_t length)
{
    return Answer(Json{{"offered", g_library.OfferIdiomStream(kind, data, length) == 1}});
}

// The product's texts, the rules', orders' and levels' names (and which
// are chosen unless the visitor chooses), the outcomes' words by their
// names ("win": 胜), how many idioms a list shows before 全部, for the page
// to show, and the streams it fetches after its first answer.
EMSCRIPTEN_KEEPALIVE const char *PageTexts()
{
    Json rules = Json::array();
    for (const RuleName &r : RULE_NAMES)
        rules.push_back(Json{{"rule", r.rule}, {"name", r.name}, {"chinese", r.chinese}});
    Json outcomes = Json::object();
    for (const int outcome : {QUOVANT_WIN, QUOVANT_DRAW, QUOVANT_LOSS})
        outcomes[OutcomeWord(outcome)] = OutcomeWordChinese(outcome);
    Json orders = Json::array();
    for (const OrderName &o : ORDER_NAMES)
        orders.push_back(Json{{"order", o.order}, {"name", o.name}, {"chinese", o.chinese}});
    Json levels = Json::array();
    for (std::size_t i = 0; i < std::size(LEVEL_NAMES); ++i)
        levels.push_back(Json{{"level", i}, {"name", LEVEL_NAMES[i].name}, {"chinese", LEVEL_NAMES[i].chinese}});
    Json streams = Json::array();
    for (const auto &s : FETCHED_STREAMS)
        streams.push_back(Json{{"file", s.file}, {"kind", s.kind}});
    return Answer(Json{{"product", QUOVANT_PRODUCT_NAME},
                       {"prompt", QUOVANT_PROMPT_TEXT},
                       {"start", QUOVANT_START_TEXT},
                       {"notFound", QUOVANT_NOT_FOUND_TEXT},
                       {"note", std::string(OUTCOME_NOTE_CHINESE)},
                       {"fourOnly", std::string(FOUR_ONLY_CHINESE)},
                       {"fourOnlyFlag", QUOVANT_FOUR_ONLY},
                       {"listed", QUOVANT_MAX_IDIOMS},
                       {"rules", rules},
                       {"orders", orders},
                       {"defaultOrder", QUOVANT_ORDER_COMMON},
                       {"levels", levels},
                       {"defaultLevel", static_cast<int>(std::find_if(std::begin(LEVEL_NAMES), std::end(LEVEL_NAMES),
                                                                      [](const LevelName &l) {
                                                                          return l.level == DEFAULT_LEVEL;
                                                                      }) -
                                                         std::begin(LEVEL_NAMES))},
                       {"outcomes", outcomes},
                       {"streams", streams}});
}

// The candidates after `text` under `rules` in `order` (QUOVANT_ORDER_*, 0
// for the rule's), as the tool's next lists them, with the idioms of
// `played` (one a line) out of the game: all of them, or the first eight.
EMSCRIPTEN_KEEPALIVE const char *PageCandidates(int rules, int order, const char *text, const char *played, int all)
{
    const std::u16string asked = Utf8ToUtf16Lossy(text == nullptr ? "" : text);
    std::vector<QuovantFacts> candidates;
    if (!NextCandidatesOf(rules | order, asked, Played(played), candidates, all != 0 ? SIZE_MAX : QUOVANT_MAX_IDIOMS))
        return Failed();
    Json answer = CandidatesAnswer(Utf16ToUtf8(TrimWhiteSpace(asked)), rules, candidates);
    for (std::size_t i = 0; i < candidates.size(); ++i)
        answer["candidates"][i] = Shown(answer["candidates"][i], candidates[i]);
    return Answer(answer);
}

// The facts of `idiom` under `rules`.
EMSCRIPTEN_KEEPALIVE const char *PageIdiom(int rules, const char *idiom)
{
    QuovantFacts facts{};
    const std::string word = idiom == nullptr ? "" : idiom;
    const int known = LookUpFacts(rules, Utf8ToUtf16Lossy(word), facts);
    if (known < 0)
        return Failed();
    return Answer(known == QUOVANT_FOUND ? Shown(IdiomAnswer(word, rules, &facts), facts)
                                         : IdiomAnswer(word, rules, nullptr));
}

// Makes the idioms of `lines` the player's own: the page keeps them as the
// tool's file does, an idiom a line and its reading after it where given.
// {"taken": how many, "lines": [{"idiom", "reading": how it is read, or null
// where it was left out, "message": why it was left out, in Chinese, or
// ""}...]}.
EMSCRIPTEN_KEEPALIVE const char *PageSetPlayerIdioms(const char *lines)
{
    const std::vector<PlayerLine> given = PlayerLines(lines == nullptr ? "" : lines);
    std::vector<int> results;
    const long taken = SetPlayerLines(given, results);
    if (taken < 0)
        return Failed();
    Json list = Json::array();
    for (std::size_t i = 0; i < given.size(); ++i) {
        QuovantFacts facts{};
        const bool added = results[i] == QUOVANT_PLAYER_ADDED &&
                           LookUpFacts(QUOVANT_RULE_CLASSIC, Utf8ToUtf16Lossy(given[i].idiom), facts) == QUOVANT_FOUND;
        const char *why = PlayerResultChinese(results[i]);
        list.push_back(Json{{"idiom", given[i].idiom},
                            {"reading", added && facts.reading != nullptr ? Json(Utf8Of(facts.reading)) : Json(nullptr)},
                            {"message", why != nullptr ? FilledMessage(why, {given[i].idiom}) : ""}});
    }
    return Answer(Json{{"taken", taken}, {"lines", list}});
}

// A shortest chain from the idiom `from` to the idiom `to` under `rules`,
// each trimmed.
EMSCRIPTEN_KEEPALIVE const char *PageChain(int rules, const char *from, const char *to)
{
    const std::string fromText = Trimmed(from), toText = Trimmed(to);
    std::vector<std::string> found, unknown;
    const int result = ChainOf(rules, Utf8ToUtf16Lossy(fromText), Utf8ToUtf16Lossy(toText), found);
    if (result < 0)
        return Failed();
    if (result > 0 && (result & QUOVANT_UNKNOWN_IDIOM))
        unknown.push_back(fromText);
    if (result > 0 && (result & QUOVANT_UNKNOWN_TO))
        unknown.push_back(toText);
    return Answer(ChainAnswer(fromText, toText, rules, result == QUOVANT_FOUND ? &found : nullptr, unknown));
}

// A turn of the game against the computer under `rules` at `level` (its
// number in PageTexts' "levels"), its choices made by `seed`, after the
// idioms of `played` (one a line, in order; none: the game begins): the
// player's idiom `move`, trimmed, is judged (nothing: the computer opens, or
// in a game the player is only advised again); when played, the computer
// answers; then the player is advised. The turn as the tool's play --json
// gives it (client/answers.h), its message in Chinese.
EMSCRIPTEN_KEEPALIVE const char *PageGameTurn(int rules, int level, unsigned seed, const char *played,
                                              const char *move)
{
    std::vector<std::u16string> chain = Played(played);
    const std::u16string asked(TrimWhiteSpace(Utf8ToUtf16Lossy(move == nullptr ? "" : move)));
    const std::string last = chain.empty() ? "" : Utf16ToUtf8(chain.back());
    const Turn turn = PlayTurn(rules, LevelAt(level), chain, asked, seed);
    if (turn.failed)
        return Failed();
    const std::string message = turn.over ? VerdictTextChinese(*turn.over, "", "")
                                : turn.verdict != GameVerdict::PLAYED
                                    ? VerdictTextChinese(turn.verdict, Utf16ToUtf8(asked), last)
                                    : "";
    return Answer(TurnAnswer(turn, rules, message, Shown));
}

// A move of 多人接龙 under `rules`: the idioms of `played` (one a line) are
// out of the game, `last` is the idiom to follow ("" when a new chain
// begins); `move`, trimmed, is the player's, or "" for the computer's at
// `level`, chosen by `seed`. {"verdict", "message" (Chinese, "" when
// played), "played": its facts or null, "stuck": the computer had no idiom
// to play, "nextStuck": nothing can follow the idiom played}.
EMSCRIPTEN_KEEPALIVE const char *PageGroupMove(int rules, int level, unsigned seed, const char *played,
                                               const char *last, const char *move)
{
    const std::u16string asked(TrimWhiteSpace(Utf8ToUtf16Lossy(move == nullptr ? "" : move)));
    const std::string lastText = Trimmed(last);
    const GroupMove m = PlayGroupMove(rules, LevelAt(level), Played(played), Utf8ToUtf16Lossy(lastText), asked, seed);
    if (m.failed)
        return Failed();
    const std::string message =
        m.verdict == GameVerdict::PLAYED ? "" : VerdictTextChinese(m.verdict, Utf16ToUtf8(asked), lastText);
    return Answer(Json{{"verdict", VerdictName(m.verdict)},
                       {"message", message},
                       {"played", m.played ? Shown(IdiomAnswer(Utf8Of(m.played->idiom), rules, &*m.played), *m.played)
                                           : Json(nullptr)},
                       {"stuck", m.stuck},
                       {"nextStuck", m.nextStuck}});
}

}  // extern "C"
