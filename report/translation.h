#pragma once
// The user's language for the texts ZENTO Station, the record and zento-calc show: GNU gettext's
// catalogues (text domain "zento"), chosen as every GNU program chooses, by LANGUAGE, LC_ALL,
// LC_MESSAGES and LANG, English where no catalogue is found. Texts are marked with Tr (or N_ from
// core/text_mark.h where they are only kept) and their numbers go in by position: "%1", "%2"...
//
// Files, JSON, CSV and anything a script reads are never translated.

#include <initializer_list>
#include <string>
#include <string_view>

#include "core/text_mark.h"

namespace zento {

inline constexpr const char* kTextDomain = "zento";

// Takes the user's message language from the environment and binds the catalogues, looked for in
// the folder of locale data beside the program (<bin>/../share/locale when installed,
// <build>/locale in the build tree). `program` is argv[0] or the program's path.
void StartTranslations(std::string_view program);
// Binds the catalogues to a folder of locale data (<folder>/<language>/LC_MESSAGES/zento.mo).
void UseCatalogues(const std::string& folder);
// The folder StartTranslations would take for a program at `programPath`; empty when none exists.
std::string CatalogueFolderFor(std::string_view programPath);

// The translation of an English text, or the text itself.
const char* Tr(const char* english);
// The same for a text kept as a string (core's names, marked there with N_).
std::string TrText(std::string_view english);
// Core's sentence with figures in the user's language: its pattern translated, its figures put
// in; the English text itself (translated whole, if at all) where core gave no pattern.
std::string TrMarked(const MarkedText& text, std::string_view english);
// With a context, for an English word that needs different translations in different places.
const char* TrIn(const char* context, const char* english);

// Puts the arguments in place of "%1" to "%9", as core's FilledText does.
std::string Subst(std::string_view pattern, std::initializer_list<std::string_view> arguments);

// The language the texts are shown in now: "de", "fr", or "en" when untranslated.
std::string ShownLanguage();

}  // namespace zento
