#pragma once
// The offline help, shared with the calculator, opened at this window's own section.

#include <QString>
#include <QStringList>

class QWidget;

namespace zento::station {

inline constexpr char kHelpFileName[] = "zento.hlp";
inline constexpr char kHelpSection[] = "station-window";

// Beside the program, then in the installed data folder (../share/zento).
QStringList HelpFolders();
// The help file's path; empty when no folder has it.
QString FindHelp(const QStringList& folders = HelpFolders());

// Shows the help at the section in a window of `owner`'s, or says where it was looked for.
// Returns the help window, or none.
QWidget* ShowHelp(QWidget* owner, const QStringList& folders = HelpFolders());

}  // namespace zento::station
