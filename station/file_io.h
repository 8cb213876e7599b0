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

// The station in a station file's text, read as ReadStationFile reads it.
std::optional<Station> StationFromText(const QByteArray& text, QString& error);

}  // namespace zento::station
