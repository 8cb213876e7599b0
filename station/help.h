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

// The paragraphs (headings, paragraphs, list items) of this window's section of the help, as
// they are in the file.
QStringList HelpSectionTexts(const QString& html);
// The help with this window's section translated into the user's language.
QString TranslateHelpSection(QString html);

// Shows the help at the section in a window of `owner`'s, or says where it was looked for.
// Returns the help window, or none.
QWidget* ShowHelp(QWidget* owner, const QStringList& folders = HelpFolders());

}  // namespace zento::station
