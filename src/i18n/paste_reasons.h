// The reasons a paste of channels refuses a value, in the user's language.
// The channel list import words its reasons in English (kv3ctl prints them
// as they are); the window shows them through this table, which knows every
// reason by its English wording, with the parts that vary ("{}") kept.
#pragma once

#include <string>
#include <string_view>

#include "i18n/language.h"

namespace kv3 {

// The reason in `lang`: English as it is; Simplified from the table;
// Traditional converted from the Simplified text. A reason the table does
// not know stays English.
std::string PasteReasonText(std::string_view english, Language lang);

}  // namespace kv3
