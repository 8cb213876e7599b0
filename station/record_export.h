#pragma once
// The evaluation record from the window: the same HTML page as zento-calc writes, saved as it
// is, or laid out by Qt for a PDF file or the printer on the locale's paper.

#include <QPageSize>
#include <QString>
#include <memory>

#include "core/station_eval.h"

class QPagedPaintDevice;
class QTextDocument;

namespace zento::station {

inline constexpr char kPlotImageName[] = "zento-plot.png";

// A4, or Letter where the locale measures in US units.
QPageSize::PageSizeId LocalPageSize();

// The record as a text document, its plot a picture of that name among its resources.
std::unique_ptr<QTextDocument> RecordDocument(const Station& station, const StationResult& result);

// Lays the record out to the width of the page and prints it on `device`'s pages.
void PrintRecord(const Station& station, const StationResult& result, QPagedPaintDevice* device);

// Each writes the whole file or leaves what was there; false with the reason in `error`.
bool WriteRecordHtml(const QString& path, const Station& station, const StationResult& result, QString& error);
bool WriteRecordPdf(const QString& path, const Station& station, const StationResult& result, QString& error);

}  // namespace zento::station
