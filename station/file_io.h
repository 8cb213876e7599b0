#pragma once
// The window's files on disk: every file it writes goes through WriteFileAtomically, every station
// file it reads through ReadStationFile.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

#include "core/station_model.h"

namespace zento::station {

// Writes `bytes` to a new file beside `path`, makes sure they reached the disk, and only then
// puts it in place of `path`. False, with the reason in `error`, when any step fails: the file
// that was at `path` is then left whole.
bool WriteFileAtomically(const QString& path, QByteArrayView bytes, QString& error);

// The station in a station file, or none with the reason in `error` (the reader's message names
// the key and line at fault).
std::optional<Station> ReadStationFile(const QString& path, QString& error);

// The station in a station file's text, read as ReadStationFile reads it; an imported antenna
// model's file is read where it is named (relative to `folder`).
std::optional<Station> StationFromText(const QByteArray& text, QString& error, const QString& folder = {});

// An imported antenna model's file (a NEC-2 deck), refused by its size as the station file's
// reader refuses one; none with the reason in `error`.
std::optional<std::string> ReadDeckFile(const QString& path, QString& error);

// The window keeps an imported model's file as an absolute path, so that undo, redo and a copy
// of the station find it wherever the station is saved; a station file names it relative to
// itself. These turn the paths of a station's models from one to the other.
Station WithDeckPathsFrom(Station station, const QString& folder);  // relative to `folder`: absolute
Station WithDeckPathsRelativeTo(Station station, const QString& folder);

}  // namespace zento::station
