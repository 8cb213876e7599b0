#include "report/translation.h"

#include <libintl.h>

#include <cerrno>
#include <clocale>
#include <cstring>
#include <filesystem>
#include <span>
#include <system_error>

namespace zento {
namespace {

std::filesystem::path ProgramPath(std::string_view program) {
  // The running program itself first: argv[0] may be a bare name found on PATH.
  std::error_code error;
  auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) return self;
  return std::filesystem::absolute(std::filesystem::path(program), error);
}

}  // namespace

std::string CatalogueFolderFor(std::string_view programPath) {
  const auto bin = std::filesystem::path(programPath).parent_path();
  for (const auto& folder : {bin / ".." / "share" / "locale", bin / ".." / "locale"}) {
    std::error_code error;
    if (std::filesystem::is_directory(folder, error)) {
      return std::filesystem::weakly_canonical(folder, error).string();
    }
  }
  return {};
}

void UseCatalogues(const std::string& folder) {
  bindtextdomain(kTextDomain, folder.c_str());
  // The catalogues are UTF-8 and so is everything ZENTO writes, whatever LC_CTYPE says.
  bind_textdomain_codeset(kTextDomain, "UTF-8");
  textdomain(kTextDomain);
}

void StartTranslations(std::string_view program) {
  // Only the message category: numbers are read and written without the C library's locale.
  std::setlocale(LC_MESSAGES, "");
  const std::string folder = CatalogueFolderFor(ProgramPath(program).string());
  if (!folder.empty()) UseCatalogues(folder);
}

const char* Tr(const char* english) {
  // An empty text would give the catalogue's header.
  if (english == nullptr || *english == '\0') return english;
  const int saved = errno;  // gettext may set errno; callers reporting an error must not see it
  const char* text = dgettext(kTextDomain, english);
  errno = saved;
  return text;
}

std::string TrText(std::string_view english) {
  const std::string key(english);
  return Tr(key.c_str());
}

std::string TrMarked(const MarkedText& text, std::string_view english) {
  if (text.pattern.empty()) return TrText(english);
  const std::string pattern = TrText(text.pattern);
  return FilledText(MarkedText{pattern, text.arguments});
}

const char* TrIn(const char* context, const char* english) {
  if (english == nullptr || *english == '\0') return english;
  // As gettext's pgettext: the context and the text joined by an EOT character.
  std::string key = std::string(context) + '\004' + english;
  const int saved = errno;
  const char* text = dgettext(kTextDomain, key.c_str());
  errno = saved;
  return text == key.c_str() ? english : text;
}

std::string Subst(std::string_view pattern, std::initializer_list<std::string_view> arguments) {
  return FilledText(pattern, std::span(arguments.begin(), arguments.size()));
}

std::string ShownLanguage() {
  // The catalogue's own header names its language; an untranslated program has none.
  const char* header = dgettext(kTextDomain, "");
  if (header == nullptr || *header == '\0') return "en";
  const char* language = std::strstr(header, "Language: ");
  if (language == nullptr) return "en";
  language += std::strlen("Language: ");
  std::string code;
  while (*language >= 'a' && *language <= 'z') code += *language++;
  return code.empty() ? "en" : code;
}

}  // namespace zento
