#pragma once
// Marks a text that is shown to the user for the translation catalogues, without translating it:
// the computations stay free of catalogues and I/O, and whoever shows the text translates it
// (report/translation.h's Tr).

#include <string>
#include <string_view>
#include <vector>

#define N_(text) text

namespace zento {

// A sentence with figures in it, kept whole so that whoever shows it can translate the sentence
// and put the figures where the language wants them: the English pattern (marked with N_ where
// it is written) and the texts for its "%1", "%2"...
struct MarkedText {
  std::string_view pattern;
  std::vector<std::string> arguments;
};

// The sentence with its arguments in place: in English as files, JSON and CSV carry it, or in
// the user's language with the pattern's translation in place of the pattern.
std::string FilledText(const MarkedText& text);

}  // namespace zento
