#pragma once
// Text routines shared by both programs. "Blank" means the space character; texts are 8-bit.
#include <cstddef>
#include <string>
#include <string_view>

namespace km {

// Length without trailing blanks.
size_t TrimmedLength(std::string_view text);

// 1-based position of the first non-blank within the trimmed length; 0 when there is none.
int FirstNonBlank(std::string_view text);

// What NormalizeBlanks does with a run of blanks at the end: the workbench keeps one blank of it,
// the viewer drops it.
enum class BlankRule { KeepOneTrailing, DropTrailing };

// In place: tabs become blanks, leading blanks go, and each run of blanks becomes one blank.
void NormalizeBlanks(std::string& text, BlankRule rule = BlankRule::KeepOneTrailing);

// Trims white space at both ends, then normalises the blanks inside.
void TrimAndNormalize(std::string& text);

void ReplaceChar(std::string& text, char from, char to);

// Number of non-empty tokens separated by any of the delimiter characters.
int CountTokens(std::string_view text, std::string_view delimiters);

// The k-th token (from 1) into out; returns its 1-based start position in text, or 0 with out emptied
// when there are fewer than k tokens.
size_t GetToken(std::string& out, int k, std::string_view text, std::string_view delimiters);

// List-box lines: each blank becomes a tab and each "+" a blank (a "+" is a blank that must not become
// a tab stop).
void TabifyBlanks(std::string& text);

// The text padded with fill up to width characters, or cut at width.
std::string PadText(std::string_view text, char fill, size_t width);

// Appends the text, when not empty, and then a line end (CR LF, as the suite's text files have it).
void WriteLine(std::string& textFile, std::string_view text);

// printf-style formatting into a string, numbers always with a decimal point.
std::string Printf(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace km
