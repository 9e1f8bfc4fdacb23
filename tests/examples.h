// The dictionary's answers that several tests expect, said once: GetIdioms'
// results for the examples, each idiom followed by one space.
#ifndef QUOVANT_TESTS_EXAMPLES_H
#define QUOVANT_TESTS_EXAMPLES_H

#include <string>

// After 一心一意: eight idioms of 意 itself.
inline const std::string AFTER_YI = "意出望外 意得志满 意广才疏 意合情投 意懒心灰 意懒心慵 意料之外 意乱情迷 ";
// For the reading "lv" (ü).
inline const std::string AFTER_LV = "驴唇不对马嘴 驴唇马觜 驴唇马嘴 驴鸣狗吠 驴鸣犬吠 驴年马月 驴前马后 驴头不对马嘴 ";
// After 翠岫弈天, the input box's first text: idioms of 天.
inline const std::string AFTER_TIAN = "天宝当年 天保九如 天崩地坼 天崩地解 天崩地裂 天崩地塌 天崩地坍 天崩地陷 ";
// After 扒: both passes together find only two.
inline const std::string AFTER_PA = "扒耳搔腮 扒高踩低 ";

// What is known of 一心一意: how many idioms can follow it, and its meaning.
inline constexpr unsigned long YI_FOLLOWERS = 1405;
inline const std::string YI_MEANING = "只有一个心眼儿，没有别的考虑。";
// A shortest chain from 一心一意 to 做贼心虚.
inline const std::string YI_TO_ZUO = "一心一意 一家之作 做贼心虚";

// A game against the computer that the player wins, under the classic rule:
// the player opens, the computer answers, the player's answer is a dead end.
inline const std::string PLAYER_WINS = "百岁之盟 盟山誓海 海誓山盟";

// A result as the command-line tool prints it: without the last space.
inline std::string AsLine(const std::string &result)
{
    return result.empty() ? result : result.substr(0, result.size() - 1);
}

#endif
