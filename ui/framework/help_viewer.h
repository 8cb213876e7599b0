#pragma once
// The help viewer: opens a help file by name at its contents, in a window of its own.

#include <QString>
#include <QStringList>
#include <string_view>

class QWidget;

namespace zento::ui {

inline constexpr unsigned HELP_CONTENTS = 3;

// Where a help file named without a folder is looked for: beside the program, then in the
// installed data folder (../share/zento from the program).
QStringList DefaultHelpFolders();
// The first folder's file of that name; empty when none has it.
QString FindHelpFile(std::string_view fileName, const QStringList& folders);

// Shows the file at its start, or the viewer's own message when it is not found. The result
// says whether the file was shown.
bool WinHelp(QWidget* owner, std::string_view fileName, unsigned command, unsigned long data,
             const QStringList& folders = DefaultHelpFolders());

// The window showing help, while one is open.
QWidget* HelpWindow();

}  // namespace zento::ui
