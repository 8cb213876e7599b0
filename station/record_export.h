#pragma once
// The evaluation record from the window: the same HTML page as zento-calc writes, saved as it
// is, or laid out by Qt for a PDF file or the printer on the locale's paper.

#include <QPageSize>
#include <QString>
#include <memory>

#include "core/near_field.h"
#include "core/station_eval.h"

class QPagedPaintDevice;
class QTextDocument;

namespace zento::station {

inline constexpr char kPlotImageName[] = "zento-plot.png";

// A4, or Letter where the locale measures in US units.
QPageSize::PageSizeId LocalPageSize();

// The record as a text document, its plot a picture of that name among its resources, and with
// the near field (where it is given) each heat map a picture of its own ("zento-heat-map-1.png",
// ...): a text document draws no inline SVG.
std::unique_ptr<QTextDocument> RecordDocument(const Station& station, const StationResult& result,
                                              const StationNearField* nearField = nullptr);

// Lays the record out to the width of the page and prints it on `device`'s pages.
void PrintRecord(const Station& station, const StationResult& result, const StationNearField* nearField,
                 QPagedPaintDevice* device);

// Each writes the whole file or leaves what was there; false with the reason in `error`. The HTML
// has the heat maps inline, as zento-calc writes them.
bool WriteRecordHtml(const QString& path, const Station& station, const StationResult& result,
                     const StationNearField* nearField, QString& error);
bool WriteRecordPdf(const QString& path, const Station& station, const StationResult& result,
                    const StationNearField* nearField, QString& error);

}  // namespace zento::station
