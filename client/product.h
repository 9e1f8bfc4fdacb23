/*
 * The product's own texts, said once for both front ends, the command-line
 * tool and the front end's resource script. Plain UTF-8 string literals, so
 * that a resource script can take them too; C++ makes them UTF-16 with a
 * prefix: u"" QUOVANT_PRODUCT_NAME, L"" QUOVANT_PRODUCT_NAME.
 */
#ifndef QUOVANT_CLIENT_PRODUCT_H
#define QUOVANT_CLIENT_PRODUCT_H

/* The product's name: the window's caption, the title by which a second copy
 * finds the first, both message boxes' caption and the input box's first text. */
#define QUOVANT_PRODUCT_NAME "翠岫弈天"

/* The window's prompt and its start button. */
#define QUOVANT_PROMPT_TEXT "请输入你要接龙的成语："
#define QUOVANT_START_TEXT "开始"

/* What the user is told when a query finds nothing. */
#define QUOVANT_NOT_FOUND_TEXT "没有找到合适的成语，请重试。"

/* What the user is told when the library FILE cannot be bound. */
#define QUOVANT_MISSING_COMPONENT_TEXT(file) "丢失基本组件 " file " 程序无法运行。"

/* What the user is told when the dictionary built into the program FILE is
 * damaged. */
#define QUOVANT_DAMAGED_DICTIONARY_TEXT(file) file " 内置的词库已损坏，程序无法运行。"

/* The window's tooltip on an idiom: its followers and what playing it leads
 * to (%1 the number, %2 the outcome's word), what a dead end adds, and then
 * the note that outcomes are a guide. */
#define QUOVANT_TIP_FACTS_TEXT "可接成语：%1 个　出此成语：%2"
#define QUOVANT_TIP_DEAD_END_TEXT "（无可接，必胜）"
#define QUOVANT_TIP_COMMONNESS_TEXT "　常用度：%1"
/* In place of the commonness, for the player's own idioms: read as written,
 * and each character read by its most customary reading. */
#define QUOVANT_TIP_OWN_TEXT "　我的成语"
#define QUOVANT_TIP_OWN_CUSTOMARY_TEXT "　我的成语（各字按最常用读音）"

/* Where the Linux window remembers the rule a player chose: the
 * organisation and application of its settings. */
#define QUOVANT_SETTINGS_ORGANIZATION "trevul"
#define QUOVANT_SETTINGS_APPLICATION "quovant"

/* The name by which one running copy of the window keeps others out: the
 * Windows mutex, the Linux lock file and socket. */
#define QUOVANT_INSTANCE_NAME "trevul.mutex.idioms"

#endif
