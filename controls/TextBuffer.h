#pragma once
// Copying a text into a caller's fixed buffer (window text, list cell text).
#include <string>

// Copies at most size - 1 bytes and a terminating zero, never cutting a UTF-8
// character in two; a buffer of size 0 (or none) gets nothing. Answers the
// number of bytes copied, the zero not counted.
int CopyTextToBuffer(const std::string& text, char* buffer, long long size);
