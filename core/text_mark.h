#pragma once
// Marks a text that is shown to the user for the translation catalogues, without translating it:
// the computations stay free of catalogues and I/O, and whoever shows the text translates it
// (report/translation.h's Tr).

#include <span>
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

// The pattern with the arguments in place of "%1" to "%9" (each may appear any number of times,
// in any order; one without its argument stays as it is); "%%" is a single "%".
std::string FilledText(std::string_view pattern, std::span<const std::string_view> arguments);
// The sentence with its arguments in place, in English as files, JSON and CSV carry it.
std::string FilledText(const MarkedText& text);

}  // namespace zento
