#pragma once
// The add-in's table of validation messages, looked up by number (101 to 112). The checks that
// use it show "Unknown" in place of an entry that is empty.

#include <cstdint>
#include <string>

namespace qv::addin {

inline constexpr int32_t kMsgNotFixable = 101;
inline constexpr int32_t kMsgNoAnswer = 102;
inline constexpr int32_t kMsgMissingRows = 103;
inline constexpr int32_t kMsgNoPoints = 104;
inline constexpr int32_t kMsgNoId = 105;
inline constexpr int32_t kMsgNoImage = 106;
inline constexpr int32_t kMsgNoCorrectAnswer = 107;
inline constexpr int32_t kMsgNoBlankAnswer = 108;
inline constexpr int32_t kMsgNoBlank = 109;
inline constexpr int32_t kMsgEmptyPage = 110;
inline constexpr int32_t kMsgQuestionsNotSeparated = 112;

// The entry of `code`; "" for a code without text.
const std::string& ValidationMessageText(int32_t code);

// The entry of `code` as a check shows it: "Unknown" when the entry is empty.
std::string ValidationMessage(int32_t code);

}  // namespace qv::addin
