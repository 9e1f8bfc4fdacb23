// What is known of an idiom, as people are told it, said once for the tool,
// the windows and the page: the words for outcomes and the note that
// outcomes are a guide. Plain C++, without a toolkit or a platform, so that
// every front end compiles it. facts_json.h gives the same facts to programs.
#ifndef QUOVANT_CLIENT_FACTS_H
#define QUOVANT_CLIENT_FACTS_H

// An outcome's word (QUOVANT_WIN, QUOVANT_LOSS, QUOVANT_DRAW): in English, as
// the tool writes it in text and JSON ("win", "loss", "draw"), and in Chinese,
// as the window shows it (胜, 负, 和).
const char *OutcomeWord(int outcome);
const char *OutcomeWordChinese(int outcome);

// Outcomes assume best play and let an idiom be played twice, which a real
// game does not: the note that says so, in English and in Chinese.
extern const char OUTCOME_NOTE[];
extern const char OUTCOME_NOTE_CHINESE[];

#endif
