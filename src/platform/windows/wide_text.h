// UTF-8, the program's text everywhere, to and from the UTF-16 of the
// Windows API; and the system's words for an error.
#pragma once

#include <string>

namespace kv3 {

std::wstring WideText(const std::string& text);
std::string Utf8Text(const wchar_t* text, size_t size);
std::string Utf8Text(const std::wstring& text);

// The system's message for an error code of GetLastError(), in English
// where the system has it, without its line end.
std::string SystemErrorText(unsigned long code);

}  // namespace kv3
