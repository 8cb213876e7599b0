#pragma once
// The file chooser: a modal dialog that asks for a file name.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class QWidget;

namespace zento::ui {

enum FileChooserFlag : std::uint32_t {
  kHideReadOnly = 1u << 0,   // no read-only check box
  kPathMustExist = 1u << 1,  // the folder of the name must exist; the file may be new
};

struct FileFilter {
  std::string display;  // as the literal has it, spaces beside the bars included
  std::string pattern;
};

// Splits "Display | pattern | Display | pattern ||" at each bar, alternately into display texts
// and patterns; the double bar ends the list.
std::vector<FileFilter> ParseFilterList(std::string_view literal);

class FileChooser {
 public:
  // An open-file chooser (it does not ask before an existing file is chosen).
  FileChooser(std::string_view initialName, std::uint32_t flags, std::string_view filterLiteral, QWidget* owner);

  int DoModal();  // IDOK or IDCANCEL
  const std::string& GetPathName() const { return path_; }
  const std::vector<FileFilter>& Filters() const { return filters_; }

 private:
  std::string initialName_;
  std::uint32_t flags_;
  std::vector<FileFilter> filters_;
  QWidget* owner_;
  std::string path_;
};

}  // namespace zento::ui
