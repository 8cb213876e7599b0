#include "station/record_export.h"

#include <QBuffer>
#include <QImage>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgRenderer>
#include <QTextDocument>
#include <QTextOption>
#include <QUrl>

#include "core/plot.h"
#include "report/local_style.h"
#include "report/record.h"
#include "station/file_io.h"
#include "station/record_pages.h"

namespace zento::station {
namespace {

constexpr int kPlotWidth = 720, kPlotHeight = 460;  // as the record's <img> says
constexpr int kPlotScale = 3;                       // pixels of the picture per pixel of the page

constexpr int kHeatMapScale = 2;

std::string Html(const Station& station, const StationResult& result, const StationNearField* nearField,
                 const std::string& plotImage, bool paper = false) {
  RecordInfo info{TodayIso(), ZENTO_VERSION, plotImage, paper, nearField, {}};
  // The record is read by people: numbers and dates as the reader's locale writes them.
  info.style = zento::UserLocalStyle();
  return EvaluationRecordHtml(station, result, info);
}

// An attribute's value in an element's opening tag; empty when it has none.
std::string Attribute(std::string_view tag, std::string_view name) {
  std::string key = " ";  // appended piece by piece: GCC 12 warns falsely on " " + temporary at -O3
  key += name;
  key += "=\"";
  const std::size_t at = tag.find(key);
  if (at == std::string_view::npos) return {};
  const std::size_t from = at + key.size(), to = tag.find('"', from);
  return to == std::string_view::npos ? std::string() : std::string(tag.substr(from, to - from));
}

// Each inline SVG picture of the page (the heat maps) as a picture resource drawn from it, put
// in its place at its size.
std::string SvgAsPictures(std::string_view html, QTextDocument& document) {
  std::string out;
  std::size_t at = 0;
  for (int n = 1;; ++n) {
    const std::size_t open = html.find("<svg", at), close = html.find("</svg>", open);
    if (open == std::string_view::npos || close == std::string_view::npos) break;
    const std::string_view svg = html.substr(open, close + 6 - open);
    const std::string_view tag = svg.substr(0, svg.find('>'));
    const int width = QString::fromStdString(Attribute(tag, "width")).toInt();
    const int height = QString::fromStdString(Attribute(tag, "height")).toInt();
    const QString name = QStringLiteral("zento-heat-map-%1.png").arg(n);
    QSvgRenderer renderer(QByteArray(svg.data(), static_cast<qsizetype>(svg.size())));
    QImage image(std::max(width, 1) * kHeatMapScale, std::max(height, 1) * kHeatMapScale,
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    document.addResource(QTextDocument::ImageResource, QUrl(name), image);
    out.append(html.substr(at, open - at));
    out.append("<img src=\"").append(name.toStdString()).append("\" width=\"").append(std::to_string(width));
    out.append("\" height=\"").append(std::to_string(height)).append("\" alt=\"");
    out.append(Attribute(tag, "aria-label")).append("\">");
    at = close + 6;
  }
  out.append(html.substr(at));
  return out;
}

}  // namespace

QPageSize::PageSizeId LocalPageSize() {
  return QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4;
}

std::unique_ptr<QTextDocument> RecordDocument(const Station& station, const StationResult& result,
                                              const StationNearField* nearField) {
  auto document = std::make_unique<QTextDocument>();
  if (const auto worst = WorstBand(result)) {
    if (const auto plot = MakePlot(station, result, worst->first, worst->second)) {
      const std::string svg = PlotSvg(station, *plot, kPlotWidth, kPlotHeight);
      QSvgRenderer renderer(QByteArray::fromStdString(svg));
      QImage image(kPlotWidth * kPlotScale, kPlotHeight * kPlotScale, QImage::Format_ARGB32_Premultiplied);
      image.fill(Qt::white);
      QPainter painter(&image);
      renderer.render(&painter);
      painter.end();
      document->addResource(QTextDocument::ImageResource, QUrl(QString::fromLatin1(kPlotImageName)), image);
    }
  }
  // A word is never broken: a table too wide for the page would say so by its width.
  QTextOption option = document->defaultTextOption();
  option.setWrapMode(QTextOption::WordWrap);
  document->setDefaultTextOption(option);
  document->setDocumentMargin(0);  // the paper has its own
  const std::string html = SvgAsPictures(Html(station, result, nearField, kPlotImageName, true), *document);
  document->setHtml(QString::fromStdString(html));
  KeepWordsWhole(*document);
  return document;
}

void PrintRecord(const Station& station, const StationResult& result, const StationNearField* nearField,
                 QPagedPaintDevice* device) {
  const PagedRecord record(RecordDocument(station, result, nearField),
                           device->pageLayout().paintRect(QPageLayout::Point).size());
  QPainter painter(device);
  const QRectF target(0, 0, device->width(), device->height());
  for (std::size_t page = 0; page < record.pages().size(); ++page) {
    if (page > 0) device->newPage();
    record.paint(painter, page, target);
  }
}

bool WriteRecordHtml(const QString& path, const Station& station, const StationResult& result,
                     const StationNearField* nearField, QString& error) {
  const std::string html = Html(station, result, nearField, {});
  return WriteFileAtomically(path, QByteArrayView(html.data(), static_cast<qsizetype>(html.size())), error);
}

bool WriteRecordPdf(const QString& path, const Station& station, const StationResult& result,
                    const StationNearField* nearField, QString& error) {
  // Laid out in memory and written in one piece, as every file is.
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setPageSize(QPageSize(LocalPageSize()));
    pdf.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    pdf.setTitle(QObject::tr("RF exposure evaluation of %1").arg(QString::fromStdString(station.callsign)));
    pdf.setCreator(QStringLiteral("ZENTO Station " ZENTO_VERSION));
    PrintRecord(station, result, nearField, &pdf);
  }
  return WriteFileAtomically(path, bytes, error);
}

}  // namespace zento::station
